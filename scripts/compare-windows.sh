#!/bin/sh
# Runs every sample machine through every output form with the Linux
# romwise-cli and with romwise-cli.exe under wine64, and compares what they
# wrote, byte for byte: standard output, standard error, exit status, port
# trace, and a report saved with --output.
#   sh scripts/compare-windows.sh [LINUX_BUILD_DIR] [WINDOWS_BUILD_DIR]
# Builds either program first when its build folder does not have it.
set -eu
cd "$(dirname "$0")/.."
linux_build=${1:-build}
windows_build=${2:-build-win-x86_64}
WINE=/usr/lib/wine/wine64

[ -x "$linux_build/romwise-cli" ] || sh scripts/build.sh "$linux_build" --programs
[ -f "$windows_build/romwise-cli.exe" ] || sh scripts/build-windows.sh x86_64 "$windows_build"

work=$(mktemp -d "${TMPDIR:-/tmp}/romwise-compare.XXXXXX")
WINEPREFIX=$work/prefix
export WINEPREFIX WINEDEBUG=-all
cleanup() {
    WINEPREFIX=$WINEPREFIX /usr/lib/wine/wineserver -k 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT INT TERM
"$WINE" wineboot --init >/dev/null 2>&1

sh scripts/cli-outputs.sh "$work/linux" "$linux_build/romwise-cli"
sh scripts/cli-outputs.sh "$work/windows" "$WINE" "$windows_build/romwise-cli.exe"

if diff -r "$work/linux" "$work/windows"; then
    echo "compare-windows: $(ls "$work/linux" | wc -l) files, all the same"
else
    echo "compare-windows: the outputs differ (above)" >&2
    exit 1
fi

#!/bin/sh
# Runs every sample machine through every output form with the Linux
# romwise-cli and with romwise-cli.exe under wine64, and compares what they
# wrote: standard output, standard error, exit status and port trace, byte
# for byte, and a report saved with --output. Builds both programs first.
#   sh scripts/compare-windows.sh [LINUX_BUILD_DIR] [WINDOWS_BUILD_DIR]
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
linux_build=${1:-build}
windows_build=${2:-build-win-x86_64}
golden=${ROMWISE_GOLDEN_SCRIPT:-$root/../tools/golden.sh}
if [ ! -f "$golden" ]; then
    echo "compare-windows: $golden is missing (set ROMWISE_GOLDEN_SCRIPT)" >&2
    exit 1
fi

sh scripts/build.sh "$linux_build" -DROMWISE_BUILD_GUI=OFF -DROMWISE_BUILD_TESTS=OFF \
    -DROMWISE_BUILD_BENCH=OFF
sh scripts/build-windows.sh x86_64 "$windows_build"

work=$(mktemp -d "${TMPDIR:-/tmp}/romwise-compare.XXXXXX")
WINEPREFIX=$work/prefix
export WINEPREFIX WINEDEBUG=-all
cleanup() {
    WINEPREFIX=$WINEPREFIX /usr/lib/wine/wineserver -k 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT INT TERM
/usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1

sh "$golden" "$linux_build/romwise-cli" samples "$work/linux"
sh "$golden" "$windows_build/romwise-cli.exe" samples "$work/windows" /usr/lib/wine/wine64
"$linux_build/romwise-cli" --machine samples/award-440bx.json --output "$work/linux/saved.txt"
/usr/lib/wine/wine64 "$windows_build/romwise-cli.exe" --machine samples/award-440bx.json \
    --output "$work/windows/saved.txt"

if diff -r "$work/linux" "$work/windows"; then
    echo "compare-windows: $(ls "$work/linux" | wc -l) files, all the same"
else
    echo "compare-windows: the outputs differ (above)" >&2
    exit 1
fi

#!/bin/sh
# Builds the x86-64 Windows program and its tests, and runs the tests under
# wine64 in a fresh wine prefix of their own (removed afterwards).
#   sh scripts/test-windows.sh [BUILD_DIR]
set -eu
cd "$(dirname "$0")/.."
BUILD_DIR=${1:-build-win-x86_64}
WINE=/usr/lib/wine/wine64
if [ ! -x "$WINE" ]; then
    echo "test-windows: $WINE is missing; run scripts/bootstrap.sh" >&2
    exit 1
fi
sh scripts/build-windows.sh x86_64 "$BUILD_DIR" -DROMWISE_BUILD_TESTS=ON -DROMWISE_WERROR=ON

WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/romwise-wine.XXXXXX")
export WINEPREFIX WINEDEBUG=-all
cleanup() {
    # Only this prefix's wine server: the one these tests started.
    WINEPREFIX=$WINEPREFIX /usr/lib/wine/wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
}
trap cleanup EXIT INT TERM
# The first start sets the prefix up (about 10 s).
"$WINE" wineboot --init >/dev/null 2>&1
# The tests start a kernel-driver service whose driver file is missing; the
# service manager gives up on such a start after this many milliseconds
# (wine's default makes each attempt wait some 10 to 30 s).
"$WINE" reg add 'HKLM\System\CurrentControlSet\Control' /v ServicesPipeTimeout \
    /t REG_DWORD /d 3000 /f >/dev/null 2>&1
# The service manager reads it when it starts: let this prefix's wine
# processes end, so that the tests start a new one.
/usr/lib/wine/wineserver -w
ctest --test-dir "$BUILD_DIR" --output-on-failure

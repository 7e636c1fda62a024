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
sh scripts/build-windows.sh x86_64 "$BUILD_DIR" -DROMWISE_BUILD_TESTS=ON

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
ctest --test-dir "$BUILD_DIR" --output-on-failure

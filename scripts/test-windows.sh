#!/bin/sh
# Builds the x86-64 Windows programs and their tests, and runs the tests under
# wine64 in a fresh wine prefix of their own, with a virtual X display for the
# window tests (both removed afterwards).
#   sh scripts/test-windows.sh [BUILD_DIR] [CMAKE_ARGS...]
#   ROMWISE_TEST_DISPLAY: the display number to use (default 93).
set -eu
cd "$(dirname "$0")/.."
BUILD_DIR=${1:-build-win-x86_64}
if [ $# -gt 0 ]; then shift; fi
sh scripts/build-windows.sh x86_64 "$BUILD_DIR" -DROMWISE_BUILD_TESTS=ON -DROMWISE_WERROR=ON "$@"

. scripts/wine-prefix.sh
start_wine_display "${ROMWISE_TEST_DISPLAY:-93}"
# The tests start a kernel-driver service whose driver file is missing; the
# service manager gives up on such a start after this many milliseconds
# (wine's default makes each attempt wait some 10 to 30 s).
"$WINE" reg add 'HKLM\System\CurrentControlSet\Control' /v ServicesPipeTimeout \
    /t REG_DWORD /d 3000 /f >/dev/null 2>&1
# The service manager reads it when it starts: let this prefix's wine
# processes end, so that the tests start a new one.
/usr/lib/wine/wineserver -w
ctest --test-dir "$BUILD_DIR" --output-on-failure

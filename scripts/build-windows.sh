#!/bin/sh
# Cross-compiles Romwise for Windows with MinGW-w64 (scripts/bootstrap.sh
# installs it): romwise-cli.exe, and for x86_64 the Windows tests, which run
# here under wine64 (scripts/test-windows.sh).
#   sh scripts/build-windows.sh [i686|x86_64] [BUILD_DIR] [CMAKE_ARGS...]
# i686 is the product (a 32-bit program); this machine cannot run 32-bit
# code, so its tests are not built unless -DROMWISE_BUILD_TESTS=ON is given.
set -eu
cd "$(dirname "$0")/.."
ARCH=${1:-x86_64}
case "$ARCH" in
    i686 | x86_64) ;;
    *)
        echo "usage: sh scripts/build-windows.sh [i686|x86_64] [BUILD_DIR] [CMAKE_ARGS...]" >&2
        exit 2
        ;;
esac
BUILD_DIR=${2:-build-win-$ARCH}
if [ $# -gt 0 ]; then shift; fi
if [ $# -gt 0 ]; then shift; fi
TESTS=ON
[ "$ARCH" = i686 ] && TESTS=OFF
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-"$ARCH".cmake \
    -DROMWISE_BUILD_TESTS="$TESTS" "$@" >/dev/null
# Two jobs at most: the machine has two cores and other builds share them.
cmake --build "$BUILD_DIR" -j 2

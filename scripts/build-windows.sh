#!/bin/sh
# Cross-compiles Romwise for Windows with MinGW-w64 (scripts/bootstrap.sh
# installs it): romwise-cli.exe, the window romwise.exe, and for x86_64 the
# Windows tests, which run here under wine64 (scripts/test-windows.sh).
#   sh scripts/build-windows.sh [i686|x86_64] [BUILD_DIR] [CMAKE_ARGS...]
# i686 is the product (32-bit programs); this machine cannot run 32-bit
# code, so its tests are not built. They could not be: the i686 compilers
# use the win32 thread model (the programs must load on Windows XP), which
# has no std::thread, and the tests use it.
#
# The window's icons, bitmaps and logo clip are drawn at build time by
# romwise-resgen, a Linux program built from this tree with the Qt window's
# artwork code. It is built first, in ROMWISE_HOST_BUILD (default
# build-host, configured there if it is not yet; an existing Linux build
# such as build works too).
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

HOST_BUILD=${ROMWISE_HOST_BUILD:-build-host}
if [ ! -f "$HOST_BUILD/CMakeCache.txt" ]; then
    cmake -S . -B "$HOST_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DROMWISE_BUILD_TESTS=OFF -DROMWISE_BUILD_BENCH=OFF >/dev/null
fi
# Two jobs at most: the machine has two cores and other builds share them.
cmake --build "$HOST_BUILD" -j 2 --target romwise-resgen
GENERATOR=$(cd "$HOST_BUILD" && pwd)/tools/resgen/romwise-resgen

cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-"$ARCH".cmake \
    -DROMWISE_BUILD_TESTS="$TESTS" -DROMWISE_RESOURCE_GENERATOR="$GENERATOR" "$@" >/dev/null
cmake --build "$BUILD_DIR" -j 2

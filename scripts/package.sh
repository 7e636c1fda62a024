#!/bin/sh
# Builds the Debian package of Romwise (both programs, the privileged helper
# and its polkit policy, the country module, desktop entry, icon, help page,
# font rule, samples, manual pages, shell completion) into DIR/romwise_*.deb.
#   sh scripts/package.sh [DIR] [--built]     (default DIR: build-package)
# --built packages DIR without configuring it again (only what is out of date
# is built): DIR must already be a Release build for /usr. scripts/test.sh
# builds build/ that way, so the tests and the package share one compile.
set -eu
cd "$(dirname "$0")/.."
BUILD_DIR=${1:-build-package}
if [ "${2:-}" = --built ]; then
    cache="$BUILD_DIR/CMakeCache.txt"
    grep -qx 'CMAKE_BUILD_TYPE:STRING=Release' "$cache" 2>/dev/null &&
        grep -qx 'CMAKE_INSTALL_PREFIX:PATH=/usr' "$cache" ||
        {
            echo "package: $BUILD_DIR is not a Release build for /usr; build it with" >&2
            echo "  sh scripts/build.sh $BUILD_DIR -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr" >&2
            exit 1
        }
    cmake --build "$BUILD_DIR" >/dev/null
else
    # The programs find their module and helper at the installed paths, so
    # the package is built for /usr.
    sh scripts/build.sh "$BUILD_DIR" --programs -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX=/usr -DROMWISE_WERROR=ON
fi
rm -f "$BUILD_DIR"/romwise_*.deb
(cd "$BUILD_DIR" && cpack -G DEB >/dev/null)
ls "$BUILD_DIR"/romwise_*.deb

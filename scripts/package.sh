#!/bin/sh
# Builds the Debian package of Romwise (both programs, the privileged helper
# and its polkit policy, the country module, desktop entry, icon, help page,
# font rule, samples, manual pages, shell completion) into DIR/romwise_*.deb.
#   sh scripts/package.sh [DIR]     (default: build-package)
set -eu
cd "$(dirname "$0")/.."
BUILD_DIR=${1:-build-package}
# The programs find their module and helper at the installed paths, so the
# package is built for /usr.
sh scripts/build.sh "$BUILD_DIR" --programs -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX=/usr -DROMWISE_WERROR=ON
(cd "$BUILD_DIR" && cpack -G DEB >/dev/null)
ls "$BUILD_DIR"/romwise_*.deb

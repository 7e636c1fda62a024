#!/bin/sh
# Builds and runs every test: with g++, then with clang under
# AddressSanitizer and UndefinedBehaviorSanitizer, then the Windows builds
# (MinGW-w64): the 32-bit programs are built, their imports checked against
# what Windows XP SP3 has and packaged (installer and zip), the 64-bit
# build's tests (the window's on a virtual X display) run under wine64, its
# romwise-cli.exe is compared with the Linux one on every sample, and its
# installer is installed, run and uninstalled under wine64.
# Every build treats warnings as errors. Last, the Debian package is made
# from the g++ build, checked with lintian, installed, tried and removed
# again (as root only).
#   ROMWISE_SKIP_SANITIZERS=1, ROMWISE_SKIP_WINDOWS=1, ROMWISE_SKIP_PACKAGE=1
#   leave a stage out.
set -eu
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen

# Each stage's wall time, for docs/performance.md and the CI log.
stage_started=$(date +%s)
stage_done() {
    now=$(date +%s)
    echo "== stage \"$1\" took $((now - stage_started)) s" >&2
    stage_started=$now
}

# The g++ build is the package's build (Release, for /usr): the tests run on
# the very programs the package installs, and the package needs no compile
# of its own.
scripts/build.sh build -DROMWISE_WERROR=ON -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr
ctest --test-dir build --output-on-failure -j "$(nproc)"
stage_done "g++ build and tests"

if [ "${ROMWISE_SKIP_SANITIZERS:-0}" != 1 ]; then
    scripts/build.sh build-sanitize -DCMAKE_CXX_COMPILER=clang++ -DROMWISE_WERROR=ON \
        -DROMWISE_SANITIZE=ON -DROMWISE_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        ctest --test-dir build-sanitize --output-on-failure -j "$(nproc)"
    stage_done "clang sanitizer build and tests"
fi

if [ "${ROMWISE_SKIP_WINDOWS:-0}" != 1 ]; then
    # The Linux build above holds romwise-resgen, which draws the window's
    # resources for both Windows builds.
    export ROMWISE_HOST_BUILD=build
    # The product: optimised, with the debug information that the package
    # keeps beside the stripped programs.
    sh scripts/build-windows.sh i686 build-win-i686 -DROMWISE_WERROR=ON \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo
    # Every function they import exists on Windows XP SP3; and the check
    # itself refuses what it must.
    sh scripts/check-windows-program.sh build-win-i686/romwise-cli.exe i686 console
    sh scripts/check-windows-program.sh build-win-i686/romwise.exe i686 gui
    sh tests/windows/import_check_test.sh
    sh scripts/package-windows.sh i686 build-win-i686
    stage_done "Windows i686 build, import check, installer and zip"
    sh scripts/test-windows.sh build-win-x86_64 -DCMAKE_BUILD_TYPE=Release
    stage_done "Windows x86-64 build and tests under wine"
    sh scripts/compare-windows.sh build build-win-x86_64
    stage_done "romwise-cli.exe against romwise-cli on every sample"
    sh tests/windows/installer_test.sh build-win-x86_64 build/romwise-cli
    stage_done "the installer under wine"
fi

if [ "${ROMWISE_SKIP_PACKAGE:-0}" != 1 ] && [ "$(id -u)" -eq 0 ]; then
    sh scripts/test-package.sh build --built
    stage_done "Debian package"
fi

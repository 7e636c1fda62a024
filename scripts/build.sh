#!/bin/sh
# Configures and builds Romwise in build/ (or the directory given as $1).
#   sh scripts/build.sh [DIR] [--programs] [CMAKE OPTIONS]
# --programs builds only romwise and romwise-cli: no tests, tools or
# benchmarks. Without it, every target is built.
set -eu
cd "$(dirname "$0")/.."
BUILD_DIR=${1:-build}
if [ $# -gt 0 ]; then shift; fi
scope="-DROMWISE_BUILD_TESTS=ON -DROMWISE_BUILD_BENCH=ON"
if [ "${1:-}" = "--programs" ]; then
    scope="-DROMWISE_BUILD_TESTS=OFF -DROMWISE_BUILD_BENCH=OFF"
    shift
fi
# shellcheck disable=SC2086
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $scope "$@" >/dev/null
cmake --build "$BUILD_DIR" -j "$(nproc)"

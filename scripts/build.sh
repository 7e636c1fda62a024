#!/bin/sh
# Configures and builds Romwise in build/ (or the directory given as $1).
set -eu
cd "$(dirname "$0")/.."
BUILD_DIR=${1:-build}
if [ $# -gt 0 ]; then shift; fi
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$BUILD_DIR" -j "$(nproc)"

#!/bin/sh
# Builds and runs every test twice: with g++, then with clang under
# AddressSanitizer and UndefinedBehaviorSanitizer. Both builds treat
# warnings as errors.
set -eu
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen

scripts/build.sh build -DROMWISE_WERROR=ON
ctest --test-dir build --output-on-failure -j "$(nproc)"

if [ "${ROMWISE_SKIP_SANITIZERS:-0}" != 1 ]; then
    scripts/build.sh build-sanitize -DCMAKE_CXX_COMPILER=clang++ -DROMWISE_WERROR=ON \
        -DROMWISE_SANITIZE=ON -DROMWISE_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        ctest --test-dir build-sanitize --output-on-failure -j "$(nproc)"
fi

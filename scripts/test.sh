#!/usr/bin/env bash
# Installs what is missing, builds everything, and runs all tests: in the normal build, then again under
# AddressSanitizer + UndefinedBehaviorSanitizer, then the Windows x64 build's tests under Wine (its
# dependencies are built once into ~/.cache/tarnwick-windows and reused).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
JOBS=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$JOBS"
(cd build && ctest --output-on-failure -j "$JOBS")

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTARNWICK_SANITIZE=ON
cmake --build build-asan -j "$JOBS"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j "$JOBS" -LE nosan)

TARNWICK_HOST_BUILD="$PWD/build" scripts/windows/build.sh --test

#!/usr/bin/env bash
# Installs what is missing, checks the C++ layout, builds, and runs every test:
# a short fuzzing run, the whole suite under AddressSanitizer and UBSan, then
# the release suite.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
scripts/install-deps.sh
scripts/check-format.sh
scripts/check-layers.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

scripts/fuzz.sh "${OPR903_FUZZ_SECONDS:-60}"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DOPR903_SANITIZE=ON >/dev/null
cmake --build build-asan --parallel "$jobs"
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure --timeout 600 -j "$jobs" -E '^package$'

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --parallel "$jobs"
ctest --test-dir build --output-on-failure --timeout 300 -j "$jobs"

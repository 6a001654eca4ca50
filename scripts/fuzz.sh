#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a while.
# Usage: scripts/fuzz.sh [seconds per target, default 60]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
seconds=${1:-60}
CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOPR903_FUZZ=ON >/dev/null
cmake --build build-fuzz --parallel "$(nproc)" --target fuzz_dispatcher fuzz_configuration
for target in dispatcher configuration; do
  corpus=build-fuzz/corpus-$target
  mkdir -p "$corpus"
  echo "fuzz_$target: ${seconds} s"
  status=0
  build-fuzz/fuzz_$target -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
    -artifact_prefix=build-fuzz/ "$corpus" > build-fuzz/$target.log 2>&1 || status=$?
  grep -E '^stat::(number_of_executed_units|peak_rss_mb)|ERROR|SUMMARY|Test unit written' build-fuzz/$target.log || true
  if [ "$status" -ne 0 ]; then
    echo "fuzz_$target found a fault (exit $status); see build-fuzz/$target.log"
    exit 1
  fi
done

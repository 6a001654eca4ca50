#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a while: a number
# of seconds (the test command's short run) or of executions (the long run).
# Usage: scripts/fuzz.sh [SECONDS | --runs N] [TARGET...]
#   scripts/fuzz.sh 60                       # every target for 60 s
#   scripts/fuzz.sh --runs 10000000 day_file # ten million inputs to one target
# Each target prints one line: inputs run, time, inputs per second, peak RSS and
# the result; a fault leaves the input in build-fuzz/ and fails the script.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
limit=(-max_total_time="${1:-60}")
if [ "${1:-}" = --runs ]; then
  limit=(-runs="$2")
  shift 2
elif [ $# -gt 0 ]; then
  shift
fi
targets=("$@")
# No allocation stacks and a small quarantine: twice the inputs a second and a
# tenth of the memory. A fault's input is kept; run it again for the stacks.
export ASAN_OPTIONS=${ASAN_OPTIONS:-malloc_context_size=0:quarantine_size_mb=16}
[ ${#targets[@]} -gt 0 ] || targets=(dispatcher configuration day_file)
CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOPR903_FUZZ=ON >/dev/null
cmake --build build-fuzz --parallel "$(nproc)" --target "${targets[@]/#/fuzz_}"
for target in "${targets[@]}"; do
  corpus=build-fuzz/corpus-$target
  mkdir -p "$corpus"
  options=("${limit[@]}" -max_len=4096 -print_final_stats=1 -artifact_prefix=build-fuzz/)
  [ -f "fuzz/$target.dict" ] && options+=(-dict="fuzz/$target.dict")
  seeds=()
  [ -d "fuzz/seeds/$target" ] && seeds=("fuzz/seeds/$target")
  log=build-fuzz/$target.log
  status=0
  start=$(date +%s)
  build-fuzz/fuzz_$target "${options[@]}" "$corpus" "${seeds[@]}" > "$log" 2>&1 || status=$?
  seconds=$(( $(date +%s) - start ))
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  rss=$(sed -n 's/^stat::peak_rss_mb: *//p' "$log")
  case $status in
    0) result="no fault" ;;
    72) result="interrupted, no fault" ;;
    *) result="FAULT (exit $status), see $log" ;;
  esac
  echo "fuzz_$target: ${runs:-?} inputs in ${seconds} s ($(( ${runs:-0} / (seconds > 0 ? seconds : 1) ))/s), peak RSS ${rss:-?} MB: $result"
  if [ "$status" -ne 0 ]; then
    grep -E 'broken|ERROR|SUMMARY|Test unit written' "$log" || true
    exit 1
  fi
done

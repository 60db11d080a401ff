#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each, one after another, for a bounded time
# or a number of executions.
#   fuzz/run.sh [seconds per target]        (make fuzz; FUZZ_SECONDS=60 by default)
#   FUZZ_RUNS=1000000 fuzz/run.sh           (make fuzz-long: that many executions per target)
#   FUZZ_TARGETS="merge" fuzz/run.sh        (only some targets)
# The committed seeds in fuzz/corpus/<target> stay as they are; what the fuzzer adds goes to
# build-fuzz/corpus/<target>, and any crash, leak or timeout to build-fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-${FUZZ_SECONDS:-60}}
build=build-fuzz
jobs=${JOBS:-2}
cxx=${FUZZ_CXX:-clang++-14}

cmake -S fuzz -B "$build" -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
targets=${FUZZ_TARGETS:-ini ini_parse fame deck merge}
limit=(-max_total_time="$seconds")
[ -n "${FUZZ_RUNS:-}" ] && limit=(-runs="$FUZZ_RUNS")
cmake --build "$build" -j "$jobs" --target $(printf 'fuzz_%s ' $targets)

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
status=0
for target in $targets; do
  corpus=$build/corpus/$target
  artifacts=$build/artifacts
  mkdir -p "$corpus" "$artifacts"
  dict=()
  [ -f "fuzz/$target.dict" ] && dict=(-dict="fuzz/$target.dict")
  echo "== fuzz_$target: ${limit[*]}"
  if ! "$build/fuzz_$target" "$corpus" "fuzz/corpus/$target" "${dict[@]}" \
      "${limit[@]}" -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
      -artifact_prefix="$artifacts/$target-" -print_final_stats=1 >"$build/$target.log" 2>&1; then
    status=1
    echo "FAILED: see $build/$target.log and $artifacts"
    grep -E "ERROR|property failed|SUMMARY|Test unit written" "$build/$target.log" | head -20 || true
  fi
  grep -E "^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)" "$build/$target.log" || true
  # Coverage at the end: edges (cov) and features (ft).
  grep -E "^#[0-9]+[[:space:]]+(DONE|INITED)" "$build/$target.log" | tail -1 || true
  echo "corpus: $(find "$corpus" -type f | wc -l) inputs"
done
exit $status

#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each, one after another, for a bounded time
# or a number of executions.
#   fuzz/run.sh [seconds per target]        (make fuzz; FUZZ_SECONDS=60 by default)
#   FUZZ_RUNS=1000000 fuzz/run.sh           (make fuzz-long: that many executions per target)
#   FUZZ_TARGETS="merge" fuzz/run.sh        (only some targets)
# Up to JOBS targets (2 by default) run at once, one core each.
# The committed seeds in fuzz/corpus/<target> stay as they are; what the fuzzer adds goes to
# build-fuzz/corpus/<target>, and any crash, leak or timeout to build-fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-${FUZZ_SECONDS:-60}}
build=build-fuzz
jobs=${JOBS:-2}
cxx=${FUZZ_CXX:-clang++-14}

cmake -S fuzz -B "$build" -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
targets=${FUZZ_TARGETS:-ini ini_parse fame deck merge net replay}
limit=(-max_total_time="$seconds")
[ -n "${FUZZ_RUNS:-}" ] && limit=(-runs="$FUZZ_RUNS")
if ! cmake --build "$build" -j "$jobs" --target $(printf 'fuzz_%s ' $targets) >"$build/build.log" 2>&1; then
  tail -40 "$build/build.log"
  exit 1
fi

# A long run keeps no allocation stacks: recording them took a fifth of each execution. A
# finding is replayed with them: build-fuzz/fuzz_<target> <the input in build-fuzz/artifacts>.
if [ -n "${FUZZ_RUNS:-}" ]; then
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:malloc_context_size=0}
else
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
fi
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

fuzz_one() {
  local target=$1 corpus=$build/corpus/$1 artifacts=$build/artifacts dict=() start=$SECONDS
  mkdir -p "$corpus" "$artifacts"
  [ -f "fuzz/$target.dict" ] && dict=(-dict="fuzz/$target.dict")
  {
    echo "== fuzz_$target: ${limit[*]}"
    if ! "$build/fuzz_$target" "$corpus" "fuzz/corpus/$target" "${dict[@]}" \
        "${limit[@]}" -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
        -artifact_prefix="$artifacts/$target-" -print_final_stats=1 >"$build/$target.log" 2>&1; then
      echo "FAILED: see $build/$target.log and $artifacts"
      grep -E "ERROR|property failed|SUMMARY|Test unit written" "$build/$target.log" | head -20 || true
    fi
    grep -E "^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)" "$build/$target.log" || true
    # Coverage at the end: edges (cov) and features (ft).
    grep -E "^#[0-9]+[[:space:]]+(DONE|INITED)" "$build/$target.log" | tail -1 || true
    echo "corpus: $(find "$corpus" -type f | wc -l) inputs; $((SECONDS - start)) s"
  } >"$build/$target.summary"
}

for target in $targets; do
  while [ "$(jobs -pr | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  fuzz_one "$target" &
done
wait
status=0
for target in $targets; do
  cat "$build/$target.summary"
  grep -q "^FAILED" "$build/$target.summary" && status=1
done
exit $status

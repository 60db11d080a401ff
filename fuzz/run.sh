#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time.
#   fuzz/run.sh [seconds per target]        (make fuzz; FUZZ_SECONDS=60 by default)
# The committed seeds in fuzz/corpus/<target> stay as they are; what the fuzzer adds goes to
# build-fuzz/corpus/<target>, and any crash, leak or timeout to build-fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-${FUZZ_SECONDS:-60}}
build=build-fuzz
jobs=${JOBS:-2}
cxx=${FUZZ_CXX:-clang++-14}

cmake -S fuzz -B "$build" -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$jobs" --target fuzz_ini fuzz_fame fuzz_deck

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
status=0
for target in ini fame deck; do
  corpus=$build/corpus/$target
  artifacts=$build/artifacts
  mkdir -p "$corpus" "$artifacts"
  dict=()
  [ -f "fuzz/$target.dict" ] && dict=(-dict="fuzz/$target.dict")
  echo "== fuzz_$target for ${seconds}s"
  if ! "$build/fuzz_$target" "$corpus" "fuzz/corpus/$target" "${dict[@]}" \
      -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
      -artifact_prefix="$artifacts/$target-" -print_final_stats=1 >"$build/$target.log" 2>&1; then
    status=1
    echo "FAILED: see $build/$target.log and $artifacts"
    grep -E "ERROR|property failed|SUMMARY|Test unit written" "$build/$target.log" | head -20 || true
  fi
  grep -E "^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)" "$build/$target.log" || true
  echo "corpus: $(find "$corpus" -type f | wc -l) inputs"
done
exit $status

#!/usr/bin/env bash
# Builds the libFuzzer targets into build-fuzz and runs each for a bounded time on a scratch
# copy of its seed corpus, so the repository's corpus stays as committed. Prints executions per
# target; exits non-zero when any target crashes, leaks or hangs.
#   scripts/fuzz.sh [seconds-per-target]   (default 60)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build="$root/build-fuzz"
targets=(catalogue windows_command_line check_state wine_registry)

cmake -S "$root/tests/fuzz" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j "$(nproc)"

rm -rf "$build/findings"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# The sanitizer settings of the test run switch leak detection off; here leaks count.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

failed=0
for target in "${targets[@]}"; do
  cp -r "$root/tests/fuzz/corpus/$target" "$scratch/$target"
  mkdir -p "$scratch/$target-findings"
  log="$scratch/$target.log"
  status=0
  (cd "$scratch" && "$build/fuzz_$target" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$scratch/$target-findings/" "$scratch/$target") >"$log" 2>&1 \
    || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  findings=$(find "$scratch/$target-findings" -type f | wc -l)
  if [ "$status" -ne 0 ] || [ "$findings" -ne 0 ]; then
    failed=1
    keep="$build/findings/$target"
    mkdir -p "$keep"
    cp "$scratch/$target-findings/"* "$log" "$keep/" 2>/dev/null || true
    grep -E '^(==[0-9]+==ERROR|SUMMARY|.*runtime error)' "$log" | head -5 || true
    echo "fuzz_$target: FAILED after ${runs:-?} executions (exit $status); inputs and log kept in $keep"
  else
    echo "fuzz_$target: ${runs:-?} executions in ${seconds}s, no crash, leak or timeout"
  fi
done
exit "$failed"

#!/usr/bin/env bash
# Sets everything up and runs every test: the whole suite on a normal build, every
# source compiled for Windows with the cross compiler, the whole suite again under
# AddressSanitizer and UndefinedBehaviorSanitizer, then each fuzz target for a bounded time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"

"$root/scripts/build.sh" build -DTAVORIN_TESTS=ON
(cd "$root/build" && ctest --output-on-failure -j "$(nproc)")
"$root/scripts/windows-syntax.sh" "$root/build"

"$root/scripts/build.sh" build-sanitize -DTAVORIN_TESTS=ON -DTAVORIN_SANITIZE=ON
# Qt's and fontconfig's own start-up allocations live to the end; leaks are not what we hunt here.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd "$root/build-sanitize" && ctest --output-on-failure -j "$(nproc)")

if [ -x "$root/scripts/fuzz.sh" ]; then
  "$root/scripts/fuzz.sh" "${TAVORIN_FUZZ_SECONDS:-60}"
fi

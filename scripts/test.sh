#!/usr/bin/env bash
# Sets everything up and runs every test: the whole suite on a normal build, the Windows
# build (Tavorin.exe, its zip, and its tests run under Wine), the whole suite again under
# AddressSanitizer and UndefinedBehaviorSanitizer, then each fuzz target for a bounded time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"

"$root/scripts/build.sh" build -DTAVORIN_TESTS=ON
(cd "$root/build" && ctest --output-on-failure -j "$(nproc)")

# The Windows build: Qt for Windows first when its cache lacks it (about half an hour), then
# Tavorin.exe, its zip and the tests, which ctest runs under Wine.
start=$SECONDS
"$root/scripts/build-windows.sh" build-windows -DTAVORIN_TESTS=ON
echo "test.sh: Windows build and zip in $(( SECONDS - start )) s" >&2
start=$SECONDS
(cd "$root/build-windows" && ctest --output-on-failure -j "$(nproc)")
echo "test.sh: Windows tests under Wine in $(( SECONDS - start )) s" >&2

"$root/scripts/build.sh" build-sanitize -DTAVORIN_TESTS=ON -DTAVORIN_SANITIZE=ON
# Qt's and fontconfig's own start-up allocations live to the end; leaks are not what we hunt here.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd "$root/build-sanitize" && ctest --output-on-failure -j "$(nproc)")

if [ -x "$root/scripts/fuzz.sh" ]; then
  "$root/scripts/fuzz.sh" "${TAVORIN_FUZZ_SECONDS:-60}"
fi

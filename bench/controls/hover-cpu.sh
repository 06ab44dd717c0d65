#!/usr/bin/env bash
# CPU of one PictureButton under a resting pointer, beside an empty 1 ms precise timer, on a private Xvfb.
# Usage: bench/controls/hover-cpu.sh [build folder configured with -DTAVORIN_BENCH=ON]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
cmake --build "$build" --target PictureButtonHover_bench
exec "$root/tests/support/with-xvfb.sh" "$build/bench/PictureButtonHover_bench"

#!/usr/bin/env bash
# Sets everything up and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" -DTAVORIN_TESTS=ON
cd "$root/build"
ctest --output-on-failure -j "$(nproc)"

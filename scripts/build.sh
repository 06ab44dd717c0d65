#!/usr/bin/env bash
# Configures and builds. The launcher lands at build/Tavorin.
# Usage: build.sh [folder name below the checkout, default build] [cmake options...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
folder=build
if [ $# -gt 0 ] && [[ $1 != -* ]]; then folder=$1; shift; fi
cmake -S "$root" -B "$root/$folder" -G Ninja "$@" >/dev/null
cmake --build "$root/$folder" -j "$(nproc)"

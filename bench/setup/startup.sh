#!/usr/bin/env bash
# Times whole processes from exec to four filled lists of 100,000 catalogue records each.
# Usage: bench/setup/startup.sh BUILD_DIR [RUNS]
set -euo pipefail
build=${1:?build folder}
runs=${2:-10}
bench="$build/bench/catalogue_bench"
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
"$bench" --write "$folder"
times=()
for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    "$bench" --startup "$folder" >/dev/null
    times+=($(( ($(date +%s%N) - start) / 1000000 )))
done
sorted=$(printf '%s\n' "${times[@]}" | sort -n)
echo "process start to four filled lists, $runs runs (ms): $(echo $sorted)"
echo "median: $(echo "$sorted" | sed -n "$(( (runs + 1) / 2 ))p") ms"
# The item count shows whether all four lists were filled completely.
"$bench" --startup "$folder" | sed -n 's/.*ms, \([0-9]*\) items$/items: \1/p'

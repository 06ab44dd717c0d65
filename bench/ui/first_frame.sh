#!/usr/bin/env bash
# Time from process start to the first painted frame under Xvfb, the launcher on
# a copy of demo/ against a bare frameless window showing one 430 x 449 picture,
# interleaved in one run; and the peak memory of both.
# Usage: bench/ui/first_frame.sh [build-folder] [runs]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build-bench}
runs=${2:-15}
if [ ! -x "$build/first_frame" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVORIN_BENCH=ON -DTAVORIN_TESTS=OFF >/dev/null
  cmake --build "$build" --target first_frame -j "$(nproc)" >/dev/null
fi
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
cp -a "$root/demo/." "$work/"
cp "$build/first_frame" "$work/Tavorin"
export XDG_CONFIG_HOME="$work/config"
"$root/tests/support/with-xvfb.sh" bash -c '
  measure() { local start; start=$(date +%s%N); read -r painted rss < <("$@"); echo "$(( (painted - start) / 1000 )) $rss"; }
  for _ in $(seq '"$runs"'); do
    echo "launcher $(measure "'"$work"'/Tavorin")"
    echo "bare $(measure "'"$work"'/Tavorin" --bare "'"$root"'/src/ui/pictures/background.gif")"
  done' | awk '
  { t[$1][++n[$1]] = $2; if ($3 > m[$1]) m[$1] = $3 }
  END {
    for (k in t) { c = asort(t[k], s); med[k] = s[int((c + 1) / 2)] }
    printf "first frame, median of %d: launcher %.1f ms, bare %.1f ms, ratio %.2f\n", n["bare"], med["launcher"] / 1000, med["bare"] / 1000, med["launcher"] / med["bare"]
    printf "peak memory: launcher %.1f MiB, bare %.1f MiB\n", m["launcher"] / 1024, m["bare"] / 1024
  }'

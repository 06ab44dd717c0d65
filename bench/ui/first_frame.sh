#!/usr/bin/env bash
# Time from process start to the first painted frame under Xvfb, the launcher on
# a copy of demo/ against a bare frameless window showing one 430 x 449 picture,
# interleaved in one run; and the peak memory of both.
# Usage: bench/ui/first_frame.sh [folder holding first_frame] [runs]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build-bench/bench}
runs=${2:-15}
if [ ! -x "$build/first_frame" ]; then
  cmake -S "$root" -B "$build/.." -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVORIN_BENCH=ON -DTAVORIN_TESTS=OFF >/dev/null
  cmake --build "$build/.." --target first_frame -j "$(nproc)" >/dev/null
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
  done' >"$work/times"
median() { grep "^$1 " "$work/times" | sort -k2,2n | awk '{ a[NR] = $2 } END { print a[int((NR + 1) / 2)] }'; }
peak() { grep "^$1 " "$work/times" | sort -k3,3n | tail -n1 | awk '{ print $3 }'; }
launcher=$(median launcher); bare=$(median bare)
awk -v l="$launcher" -v b="$bare" -v n="$runs" -v lm="$(peak launcher)" -v bm="$(peak bare)" 'BEGIN {
  printf "first frame, median of %d: launcher %.1f ms, bare %.1f ms, ratio %.2f\n", n, l / 1000, b / 1000, l / b
  printf "peak memory: launcher %.1f MiB, bare %.1f MiB\n", lm / 1024, bm / 1024 }'

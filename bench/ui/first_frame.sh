#!/usr/bin/env bash
# Time from process start to the first painted frame under Xvfb, and the peak memory, of the
# launcher on a copy of demo/ against two floors, interleaved in one run: a bare frameless window
# showing one 430 x 449 picture, and the same window with one text label (a window that shows
# text pays for setting up the fonts, which the bare picture never does). The times are also
# given less each program's run delay, which is what a busy machine adds.
# Usage: bench/ui/first_frame.sh [folder holding first_frame] [runs]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build-bench/bench}
runs=${2:-25}
if [ ! -x "$build/first_frame" ]; then
  cmake -S "$root" -B "$build/.." -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVORIN_BENCH=ON -DTAVORIN_TESTS=OFF >/dev/null
  cmake --build "$build/.." --target first_frame -j "$(nproc)" >/dev/null
fi
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
cp -a "$root/demo/." "$work/"
cp "$build/first_frame" "$work/Tavorin"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$work/runtime"
picture="$root/src/ui/pictures/background.gif"
# One line per run: program, microseconds to the first frame, peak KiB, microseconds less run delay.
"$root/tests/support/with-xvfb.sh" bash -c '
  measure() {
    local start; start=$(date +%s%N); read -r painted rss delay < <("$@")
    echo "$(( (painted - start) / 1000 )) $rss $(( (painted - start - delay) / 1000 ))"
  }
  # One untimed round first: a freshly built program starts from a cold disk cache.
  for program in "" --bare --label; do measure "'"$work"'/Tavorin" ${program:+$program "'"$picture"'"} >/dev/null; done
  for _ in $(seq '"$runs"'); do
    echo "launcher $(measure "'"$work"'/Tavorin")"
    echo "picture $(measure "'"$work"'/Tavorin" --bare "'"$picture"'")"
    echo "label $(measure "'"$work"'/Tavorin" --label "'"$picture"'")"
  done' >"$work/times"
median() { grep "^$1 " "$work/times" | sort -k"$2","$2"n | awk -v f="$2" '{ a[NR] = $f } END { print a[int((NR + 1) / 2)] }'; }
for column in 2 3 4; do
  echo "$(median launcher $column) $(median picture $column) $(median label $column)"
done | awk -v n="$runs" '
  NR == 1 { l = $1; p = $2; t = $3 } NR == 2 { lm = $1; pm = $2; tm = $3 } NR == 3 { lb = $1; pb = $2; tb = $3 }
  END {
    printf "first frame, median of %d: launcher %.1f ms, picture window %.1f ms, picture-and-label window %.1f ms\n", n, l / 1000, p / 1000, t / 1000
    printf "first frame less run delay: launcher %.1f ms, picture window %.1f ms, picture-and-label window %.1f ms\n", lb / 1000, pb / 1000, tb / 1000
    printf "peak memory, median of %d: launcher %.1f MiB, picture window %.1f MiB, picture-and-label window %.1f MiB\n", n, lm / 1024, pm / 1024, tm / 1024
    printf "launcher against the picture window: first frame %.2f x (%.2f x less run delay), memory %.2f x\n", l / p, lb / pb, lm / pm
    printf "launcher against the picture-and-label window: first frame %.2f x (%.2f x less run delay), memory %.2f x\n", l / t, lb / tb, lm / tm }'

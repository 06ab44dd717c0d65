#!/usr/bin/env bash
# The Windows build's first frame under Wine: time from starting `wine Tavorin.exe` to the first
# painted frame on a private Xvfb, and the peak working set, of the launcher against the same two
# floors as bench/ui/first_frame.sh (a bare picture window, and the same with one text label),
# all three being bench/ui/first_frame.cpp built for Windows like the launcher and run from the
# unpacked zip, beside the zip's own DLLs, in a copy of demo/. Interleaved, after an untimed
# round, in a private prefix whose server stays up, so that no run pays for starting Wine's own.
# Usage: bench/ui/first_frame_wine.sh [Windows build folder below the checkout] [runs]
#        (default build-windows-bench, built with -DTAVORIN_BENCH=ON by scripts/build-windows.sh)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
folder=${1:-build-windows-bench}
runs=${2:-25}
zip=$("$root/scripts/build-windows.sh" "$folder" -DTAVORIN_BENCH=ON | tail -n 1)

work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
trap 'bash "$root/tests/wine/prefix.sh" remove "$WINEPREFIX"; rm -rf "$work"' EXIT
bash "$root/tests/wine/prefix.sh" create "$WINEPREFIX" >/dev/null
game=$work/game
cp -a "$root/demo/." "$game/"
unzip -q "$zip" -d "$work/zip"
cp -a "$work/zip/Tavorin/." "$game/"
# The measuring program takes the launcher's name, so that it reads the launcher's settings key.
cp "$root/$folder/bench/first_frame.exe" "$game/Tavorin.exe"
cp "$root/src/ui/pictures/background.gif" "$game/"

cd "$game"
# One line per run: program, microseconds to the first frame, peak KiB.
"$root/tests/support/with-xvfb.sh" bash -c '
  measure() {
    local start; start=$(date +%s%N); read -r painted rss _ < <(wine Tavorin.exe "$@" 2>/dev/null | tr -d "\r")
    echo "$(( (painted - start) / 1000 )) $rss"
  }
  for program in "" --bare --label; do measure ${program:+$program background.gif} >/dev/null; done
  for _ in $(seq '"$runs"'); do
    echo "launcher $(measure)"
    echo "picture $(measure --bare background.gif)"
    echo "label $(measure --label background.gif)"
  done' >"$work/times"
median() { grep "^$1 " "$work/times" | sort -k"$2","$2"n | awk -v f="$2" '{ a[NR] = $f } END { print a[int((NR + 1) / 2)] }'; }
for column in 2 3; do
  echo "$(median launcher $column) $(median picture $column) $(median label $column)"
done | awk -v n="$runs" '
  NR == 1 { l = $1; p = $2; t = $3 } NR == 2 { lm = $1; pm = $2; tm = $3 }
  END {
    printf "Windows first frame under Wine, median of %d: launcher %.1f ms, picture window %.1f ms, picture-and-label window %.1f ms\n", n, l / 1000, p / 1000, t / 1000
    printf "Windows peak working set under Wine, median of %d: launcher %.1f MiB, picture window %.1f MiB, picture-and-label window %.1f MiB\n", n, lm / 1024, pm / 1024, tm / 1024
    printf "launcher against the picture-and-label window under Wine: first frame %.2f x, memory %.2f x\n", l / t, lm / tm }'

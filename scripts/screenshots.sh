#!/usr/bin/env bash
# Remakes docs/window.png and docs/window@2x.png: the launcher on a scratch copy of
# demo/ with a home team, kit and resolution picked, at 100 % and at 200 %, on a
# private Xvfb large enough for the whole 860 x 898 window; and docs/focus.png and
# docs/focus@2x.png, the same with the keyboard focus on the camera button
# "front, whole player from afar" (PictureButton5), which shows the focus mark.
# Usage: screenshots.sh [output folder, default docs/]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(cd "${1:-$root/docs}" && pwd)
"$root/scripts/install-deps.sh"
[ -f "$root/build/CMakeCache.txt" ] || cmake -S "$root" -B "$root/build" -G Ninja >/dev/null
cmake --build "$root/build" --target Tavorin >/dev/null

work=$(mktemp -d /tmp/tavorin-shots.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir "$work/game"
cp -a "$root/demo/." "$work/game/"
cp "$root/build/Tavorin" "$work/game/Tavorin"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" TAVORIN_DEMO_QUIET=1
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir -p "$XDG_CONFIG_HOME/Tavorin"
cat >"$XDG_CONFIG_HOME/Tavorin/Tavorin.ini" <<'INI'
[Options]
check1.value=0
check2.value=1
combo2.text=Highbury
combo3.text=Harbour Rovers
combo4.text=Kestrel Town
combo5.text=1024x768x32
combo6.text=Home
combo7.text=Away
label7.caption=21
label8.caption=5
label9.caption=18
label10.caption=
label11.caption=0
label14.caption=1
label15.caption=1
INI

# shoot <scale> <file> [tabs]: the window alone, the pointer parked in the screen's far corner
# so that every button shows its idle picture, after that many presses of Tab from the first
# focus. Dates are left out of the PNG so that a rerun on the same build writes the same bytes.
shoot() {
  QT_SCALE_FACTOR=$1 "$work/game/Tavorin" &
  local pid=$! win
  win=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tavorin 2005$' | head -n1)
  xdotool mousemove 1279 1023
  [ "${3:-0}" = 0 ] || { xdotool windowfocus --sync "$win" && sleep 0.3 && xdotool key --delay 50 $(printf "Tab %.0s" $(seq "$3")); }
  sleep 1
  import -window "$win" -strip -define png:exclude-chunks=date,time "$2"
  kill "$pid"
  wait "$pid" || true
  echo "$2: $(identify -format '%wx%h' "$2")"
}
export -f shoot
export work
TAVORIN_SCREEN=1280x1024x24 "$root/tests/support/with-xvfb.sh" --no-wm \
  bash -c 'shoot 1 "$1" && shoot 2 "$2" && shoot 1 "$3" 15 && shoot 2 "$4" 15' _ \
  "$out/window.png" "$out/window@2x.png" "$out/focus.png" "$out/focus@2x.png"

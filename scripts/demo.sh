#!/usr/bin/env bash
# Opens the launcher on a scratch copy of demo/ and touches nothing else of yours: it
# builds in its own folder, build-demo/, keeps the launcher's settings in the scratch
# folder and removes that folder when the window closes.
# Without a display it runs under Xvfb and writes build-demo/screenshot.png instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
usage="usage: ${0##*/} [--keep]
Opens the launcher on a scratch copy of demo/ (settings included) and removes the
copy when the window closes. --keep, or TAVORIN_DEMO_KEEP=1, keeps it and says where."
keep=${TAVORIN_DEMO_KEEP:-0}
case ${1-} in
  "") ;;
  --keep) keep=1 ;;
  -h | --help) echo "$usage"; exit 0 ;;
  *) echo "$usage" >&2; exit 1 ;;
esac

"$root/scripts/install-deps.sh" build run demo
build=$root/build-demo
"$root/scripts/build.sh" build-demo -DCMAKE_BUILD_TYPE=Release -DTAVORIN_TESTS=OFF

game=$(mktemp -d "${TMPDIR:-/tmp}/tavorin-demo.XXXXXX")
if [ "$keep" = 1 ]; then
  trap 'echo "Kept the game folder: $game"' EXIT
else
  trap 'rm -rf "$game"' EXIT
fi
cp -a "$root/demo/." "$game/"
cp "$build/Tavorin" "$game/Tavorin"
# Settings under the scratch folder: a launcher in a real game folder reads ~/.config/Tavorin.
export XDG_CONFIG_HOME=$game/.config
echo "Game folder: $game"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  "$game/Tavorin" || true
  exit 0
fi
shot=$build/screenshot.png
"$root/tests/support/with-xvfb.sh" --no-wm bash -c '
  "$1/Tavorin" & pid=$!
  win=$(xdotool search --sync --onlyvisible --name "^Tavorin 2005$" | head -n1)
  sleep 1
  import -window "$win" "$2"
  kill "$pid"; wait "$pid" || true' _ "$game" "$shot"
echo "No display: screenshot written to $shot"

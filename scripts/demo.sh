#!/usr/bin/env bash
# Sets everything up and opens the launcher on a scratch copy of demo/.
# Without a display it runs under Xvfb and writes a screenshot instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" build -DTAVORIN_TESTS=OFF
game=$(mktemp -d /tmp/tavorin-demo.XXXXXX)
cp -a "$root/demo/." "$game/"
cp "$root/build/Tavorin" "$game/Tavorin"
echo "Game folder: $game"
if [ -n "${DISPLAY:-}" ]; then
  exec "$game/Tavorin"
fi
shot="$game/screenshot.png"
"$root/tests/support/with-xvfb.sh" bash -c '
  "$1/Tavorin" & pid=$!
  win=$(xdotool search --sync --onlyvisible --name "^Tavorin 2005$" | head -n1)
  sleep 1
  import -window "$win" "$2"
  kill "$pid"; wait "$pid"' _ "$game" "$shot"
echo "No display: screenshot written to $shot"

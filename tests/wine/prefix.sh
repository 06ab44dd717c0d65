#!/usr/bin/env bash
# The private Wine prefix the Wine tests share: made once per ctest run, taken down after it.
# Usage: prefix.sh create|remove <prefix folder>
set -euo pipefail
export WINEPREFIX=$2 WINEDEBUG=-all
# Nothing of Wine's may open on the user's desktop, no Mono or Gecko installer may ask, and no
# menu entries may land in the user's home.
unset DISPLAY WAYLAND_DISPLAY
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Ends every Wine process of the prefix and removes the folder of /tmp that holds its server's
# socket, which Wine names in the prefix and never removes itself.
stop_wine() {
  local server=""
  [ ! -f "$WINEPREFIX/wineserver" ] || server="${TMPDIR:-/tmp}/$(cat "$WINEPREFIX/wineserver")"
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  [[ $server != */wine-* ]] || rm -rf "$server"
}

case $1 in
create)
  [ ! -d "$WINEPREFIX" ] || stop_wine # left by an interrupted run
  rm -rf "$WINEPREFIX"
  # Output goes nowhere: a Wine process holding the test's output open would keep ctest waiting.
  wineboot -i </dev/null >/dev/null 2>&1
  wineserver -w # the registry reaches the disk when the server ends
  [ -f "$WINEPREFIX/system.reg" ] || { echo "wineboot made no prefix in $WINEPREFIX" >&2; exit 1; }
  # A server that stays keeps Wine's own services up between the tests' programs, so each one
  # starts in a fraction of a second; it ends by itself ten minutes after the last program.
  wineserver -p600 </dev/null >/dev/null 2>&1
  wineboot </dev/null >/dev/null 2>&1
  echo "Wine prefix ready in $WINEPREFIX"
  ;;
remove)
  stop_wine
  rm -rf "$WINEPREFIX"
  ;;
*)
  echo "usage: prefix.sh create|remove <prefix folder>" >&2
  exit 2
  ;;
esac

#!/usr/bin/env bash
# Runs a command on a private Xvfb display with openbox as window manager.
# Usage: with-xvfb.sh [--no-wm] command args...
# TAVORIN_SCREEN sets the screen (default 1024x768x24).
set -euo pipefail
wm=1
if [ "${1:-}" = "--no-wm" ]; then wm=0; shift; fi
fifo=$(mktemp -u); mkfifo "$fifo"
# No output to ctest's pipe: a server outliving this script would keep ctest waiting for it.
Xvfb -displayfd 3 -screen 0 "${TAVORIN_SCREEN:-1024x768x24}" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
xvfb=$!
read -r num <"$fifo"; rm -f "$fifo"
export DISPLAY=":$num"
unset QT_QPA_PLATFORM
cleanup() { [ -n "${wmpid:-}" ] && kill "$wmpid" 2>/dev/null; kill "$xvfb" 2>/dev/null; wait 2>/dev/null || true; }
trap cleanup EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM # a killed script still ends its servers
if [ "$wm" = 1 ]; then
  openbox --sm-disable >/dev/null 2>&1 &
  wmpid=$!
  for _ in $(seq 50); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.1; done
fi
"$@"

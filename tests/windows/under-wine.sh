#!/usr/bin/env bash
# Runs a Windows test program under Wine: the test suite's emulator.
# Usage: under-wine.sh <Wine prefix> <folder of DLLs>... -- <program> [arguments...]
set -euo pipefail
export WINEPREFIX=$1
shift
winepath=""
while [ "$1" != -- ]; do
  winepath+="Z:${1//\//\\};"
  shift
done
shift
# No Mono or Gecko installer may ask, and no menu entry may land in the user's home; nothing of
# Wine's may open on the user's desktop.
export WINEPATH=${winepath%;} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY WAYLAND_DISPLAY
exec wine "$@"

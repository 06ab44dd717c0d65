#!/usr/bin/env bash
# Installs the launcher into a game folder for the current user (see README, "Use it
# with your game"). Installs the Debian packages that building and running it need
# (not Wine: the game already runs under the player's own), then builds a Release
# launcher into build-release/ if it is missing or older than the sources.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
usage="usage: ${0##*/} GAME_FOLDER
Installs the Debian packages that building and running the launcher need (not
Wine; through sudo when not root, after saying which), builds it, and installs it
into GAME_FOLDER, the folder that holds fifa2005.exe (in any case), with a menu
entry and icons for the current user. Undo with scripts/uninstall.sh GAME_FOLDER."
case ${1-} in
  -h | --help)
    echo "$usage"
    exit 0
    ;;
esac
[ $# = 1 ] || { echo "$usage" >&2; exit 1; }
build=$root/build-release
"$root/scripts/install-deps.sh" build run
if [ -f "$build/build.ninja" ]; then
  cmake --build "$build" --target Tavorin tavorin_icons >/dev/null
else
  "$root/scripts/build.sh" build-release -DCMAKE_BUILD_TYPE=Release -DTAVORIN_TESTS=OFF
fi
exec "$root/packaging/tavorin-install" --launcher "$build/Tavorin" --icons "$build/icons/hicolor" \
  --starter none "$1"

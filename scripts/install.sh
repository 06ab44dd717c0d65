#!/usr/bin/env bash
# Installs the launcher into a game folder for the current user (see README, "Use it
# with your game"). Builds a Release launcher into build-release/ first if it is
# missing or older than the sources.
# Usage: install.sh GAME_FOLDER
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
[ $# = 1 ] || { echo "usage: $0 GAME_FOLDER" >&2; exit 1; }
build=$root/build-release
"$root/scripts/install-deps.sh"
if [ -f "$build/build.ninja" ]; then
  cmake --build "$build" --target Tavorin tavorin_icons >/dev/null
else
  "$root/scripts/build.sh" build-release -DCMAKE_BUILD_TYPE=Release -DTAVORIN_TESTS=OFF
fi
exec "$root/packaging/tavorin-install" --launcher "$build/Tavorin" --icons "$build/icons/hicolor" \
  --starter none "$1"

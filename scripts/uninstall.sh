#!/usr/bin/env bash
# Removes what scripts/install.sh wrote for a game folder, and nothing else.
# Usage: uninstall.sh GAME_FOLDER
exec "$(dirname "$0")/../packaging/tavorin-uninstall" "$@"

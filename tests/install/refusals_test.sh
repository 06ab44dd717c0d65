# Every refused install or uninstall exits with 1, names the path in its message and
# writes nothing at all, in the game folder or in the home.
# Usage: refusals_test.sh <source dir> <launcher> <hicolor icons folder>
source "$(dirname "$0")/lib.sh" "$1"
launcher=$2
icons=$3
games=$work/games
mkdir -p "$games"

new_game "$games/foreign"
echo "copied by hand" >"$games/foreign/Tavorin"
new_game "$games/same bytes"
cp "$launcher" "$games/same bytes/Tavorin"
new_game "$games/folder named Tavorin"
mkdir "$games/folder named Tavorin/Tavorin"
new_game "$games/link"
ln -s "$launcher" "$games/link/Tavorin"
mkdir "$games/no game"
cp "$source_dir/demo/teams.ini" "$games/no game/"
echo "not a folder" >"$games/a file"
new_game "$games/line
break"
new_game "$games/fine"
mkdir -p "$data_home/icons/hicolor/32x32/apps"
echo "somebody else's icon" >"$data_home/icons/hicolor/32x32/apps/tavorin.png"

# case | command | folder | what the message must name
cases=(
  "missing folder|install|$games/missing|$games/missing"
  "a file, not a folder|install|$games/a file|$games/a file"
  "no fifa2005.exe|install|$games/no game|$games/no game"
  "a launcher copied by hand|install|$games/foreign|$games/foreign/Tavorin"
  "our launcher's bytes, but not installed by us|install|$games/same bytes|$games/same bytes/Tavorin"
  "a folder named Tavorin|install|$games/folder named Tavorin|$games/folder named Tavorin/Tavorin"
  "a link named Tavorin|install|$games/link|$games/link/Tavorin"
  "a line break in the folder's name|install|$games/line
break|$games/line"
  "an icon of somebody else's|install|$games/fine|$data_home/icons/hicolor/32x32/apps/tavorin.png"
  "uninstall where nothing was installed|uninstall|$games/fine|$games/fine"
)
before=$(snapshot)
for row in "${cases[@]}"; do
  IFS='|' read -r -d '' what command folder named <<<"$row" || true
  named=${named%$'\n'}
  if [ "$command" = install ]; then
    set -- "$source_dir/packaging/tavorin-install" --launcher "$launcher" --icons "$icons" --starter none
  else
    set -- "$source_dir/packaging/tavorin-uninstall"
  fi
  status=0
  message=$("$@" "$folder" 2>&1 >/dev/null) || status=$?
  [ "$status" = 1 ] || fail "$what: exit status $status, not 1"
  grep -qF -- "$named" <<<"$message" || fail "$what: the message does not name $named: $message"
  expect_same_snapshot "$what: refused ($message), nothing written" "$before"
done

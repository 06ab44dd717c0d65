# Every refused install or uninstall exits with 1, names the path in its message and
# writes nothing at all, in the game folder or in the home. Asked for help or the
# version, the commands answer and write nothing; the launcher refuses to start
# without a display; install.sh asks for no package the tests alone need.
# Usage: refusals_test.sh <source dir> <launcher> <hicolor icons folder>
source "$(dirname "$0")/lib.sh" "$@"
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
mkdir -p "$games/game is a folder/FIFA2005.EXE"
echo "not a folder" >"$games/a file"
new_game "$games/line
break"
new_game "$games/fine"
mkdir -p "$data_home/icons/hicolor/32x32/apps"
echo "somebody else's icon" >"$data_home/icons/hicolor/32x32/apps/tavorin.png"

# case | command | folder | what the message must name
cases=(
  "missing folder|install_into|$games/missing|$games/missing"
  "a file, not a folder|install_into|$games/a file|$games/a file"
  "no fifa2005.exe|install_into|$games/no game|$games/no game"
  "a folder named FIFA2005.EXE|install_into|$games/game is a folder|$games/game is a folder"
  "a launcher copied by hand|install_into|$games/foreign|$games/foreign/Tavorin"
  "our launcher's bytes, but not installed by us|install_into|$games/same bytes|$games/same bytes/Tavorin"
  "a folder named Tavorin|install_into|$games/folder named Tavorin|$games/folder named Tavorin/Tavorin"
  "a link named Tavorin|install_into|$games/link|$games/link/Tavorin"
  "a line break in the folder's name|install_into|$games/line
break|$games/line"
  "an icon of somebody else's|install_into|$games/fine|$data_home/icons/hicolor/32x32/apps/tavorin.png"
  "uninstall where nothing was installed|uninstall_from|$games/fine|$games/fine"
)
before=$(snapshot)
for row in "${cases[@]}"; do
  IFS='|' read -r -d '' what command folder named <<<"$row" || true
  named=${named%$'\n'}
  status=0
  message=$("$command" "$folder" 2>&1 >/dev/null) || status=$?
  [ "$status" = 1 ] || fail "$what: exit status $status, not 1"
  grep -qF -- "$named" <<<"$message" || fail "$what: the message does not name $named: $message"
  expect_same_snapshot "$what: refused ($message), nothing written" "$before"
done

# Asked for help or the version, each command answers and does nothing else.
for row in "scripts/install.sh --help|usage: install.sh GAME_FOLDER" \
  "packaging/tavorin-install --help|usage: tavorin-install GAME_FOLDER" \
  "packaging/tavorin-uninstall --help|usage: tavorin-uninstall GAME_FOLDER" \
  "packaging/tavorin-uninstall --version|tavorin-uninstall (Tavorin) "; do
  IFS='|' read -r command expected <<<"$row"
  read -r program option <<<"$command"
  answer=$("$source_dir/$program" "$option") || fail "$command exits with $?"
  [[ $answer == "$expected"* ]] || fail "$command answers: $answer"
  expect_same_snapshot "$command answers \"${answer%%$'\n'*}\" and writes nothing" "$before"
done

# With no display at all the launcher says so in one line and ends, whatever its
# arguments (it has no options; the toolkit's own are not passed on either).
status=0
message=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$launcher" -platform offscreen 2>&1) || status=$?
[ "$status" = 1 ] && [ "$(wc -l <<<"$message")" = 1 ] && [[ $message == *"no display"* ]] ||
  fail "the launcher without a display: exit status $status, said: $message"
pass "the launcher without a display says \"$message\" and exits with 1"

# install.sh asks for what building and running need and nothing the tests use, and says
# what before it asks. The stand-ins find nothing installed and stop at apt-get.
stand_in dpkg-query 'exit 1'
for program in apt-get sudo; do stand_in $program '[ "$1" = update ] && exit 0; echo "apt-get $*"; exit 1'; done
said=$(PATH=$stubs:$PATH "$source_dir/scripts/install.sh" "$games/fine" 2>&1) && fail "install.sh went on without its packages"
asked=$(sed -n 's/^apt-get .*install //p' <<<"$said")
[[ $said == "Installing the Debian packages"*qt6-base-dev*$'\n'*"apt-get "* ]] ||
  fail "install.sh did not say what it installs before asking: $said"
for package in qt6-base-dev imagemagick; do [[ " $asked " == *" $package "* ]] || fail "install.sh does not ask for $package: $asked"; done
for package in wine wine64 lintian libgtest-dev clang python3-pyatspi xvfb sway; do
  [[ " $asked " != *" $package "* ]] || fail "install.sh asks for $package, which only the tests need: $asked"
done
expect_same_snapshot "install.sh asks only for what building and running need ($asked)" "$before"

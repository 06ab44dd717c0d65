# Builds the Debian package from the build tree, checks it with lintian and its file
# list, unpacks it into a scratch root and goes through a player's life with it:
# install into a game folder (over what the previous package wrote), a package upgrade
# that the menu entry brings into the folder, one it cannot bring into a read-only
# folder and says so where the player can read it, a launcher the player replaced by
# hand that no upgrade touches, uninstall.
# Usage: package_test.sh <source dir> <build dir>
source "$(dirname "$0")/lib.sh" "$1"
build_dir=$2

(cd "$build_dir" && cpack -G DEB -B "$work/out/deb" >"$work/out/cpack.log") || fail "cpack failed: $(cat "$work/out/cpack.log")"
deb=$(echo "$work"/out/deb/tavorin_*.deb)
[ -f "$deb" ] || fail "cpack made no tavorin .deb"
# Even with information, pedantic and experimental tags lintian says nothing but what
# the README explains (under "The Debian package").
explained=(hardening-no-fortify-functions executable-in-usr-lib)
lintian_report=$(lintian -I -E --pedantic "$deb" 2>/dev/null) || fail "lintian finds errors: $lintian_report"
unexplained=$(awk '/^[EWIPX]: / { print $3 }' <<<"$lintian_report" | grep -vxF -f <(printf '%s\n' "${explained[@]}") || true)
[ -z "$unexplained" ] || fail "lintian says what the README does not explain: $lintian_report"
pass "lintian -I -E --pedantic says only what the README explains${lintian_report:+:
$lintian_report}"

expected="./usr/games/tavorin-install -> ../lib/games/tavorin/tavorin-install
./usr/games/tavorin-uninstall -> ../lib/games/tavorin/tavorin-uninstall
./usr/lib/games/tavorin/Tavorin
./usr/lib/games/tavorin/records.sh
./usr/lib/games/tavorin/start-in
./usr/lib/games/tavorin/tavorin-install
./usr/lib/games/tavorin/tavorin-uninstall
./usr/share/doc/tavorin/README.Debian
./usr/share/doc/tavorin/changelog.gz
./usr/share/doc/tavorin/copyright
./usr/share/icons/hicolor/16x16/apps/tavorin.png
./usr/share/icons/hicolor/32x32/apps/tavorin.png
./usr/share/icons/hicolor/48x48/apps/tavorin.png
./usr/share/lintian/overrides/tavorin
./usr/share/man/man6/tavorin-install.6.gz
./usr/share/man/man6/tavorin-uninstall.6.gz -> tavorin-install.6.gz"
files=$(dpkg-deb -c "$deb" | grep -v '/$' | sed 's/^.* \.\//.\//' | LC_ALL=C sort)
[ "$files" = "$expected" ] || fail "the package's files differ: $(diff <(echo "$expected") <(echo "$files"))"
pass "the package carries the launcher, the install step, icons and documents"

root=$work/out/root
dpkg-deb -x "$deb" "$root"
packaged=$root/usr/lib/games/tavorin/Tavorin
game="$work/games/FIFA 2005"
new_game "$game"
before=$(snapshot)

version=$(dpkg-deb -f "$deb" Version)
[ "$("$root/usr/games/tavorin-install" --version)" = "tavorin-install (Tavorin) $version" ] ||
  fail "tavorin-install --version does not give the package's version $version"

"$root/usr/games/tavorin-install" "$game" >/dev/null
cmp "$packaged" "$game/Tavorin" || fail "the game folder did not get the packaged launcher"
[ ! -e "$data_home/icons" ] || fail "the packaged install copied icons into the home: $(find "$data_home/icons")"
entry=$(entries)
pass "the packaged install uses the icons in /usr/share/icons as they are"
# The previous package copied the icons into the home; installing again keeps them
# on the record, so that the uninstall at the end still takes them.
"$root/usr/games/tavorin-install" --icons "$root/usr/share/icons/hicolor" "$game" >/dev/null
"$root/usr/games/tavorin-install" "$game" >/dev/null

write_recorder "$packaged" "version 2"
[ "$(launch_entry "$entry")" = "$game/Tavorin|$game|" ] || fail "the entry did not start the folder's copy in the folder"
cmp "$packaged" "$game/Tavorin" || fail "starting from the entry did not bring the upgrade into the folder"
pass "after an upgrade the entry refreshes the folder's copy and starts it"

# An upgrade the entry cannot bring into the folder (root writes through permission
# bits; only an immutable folder stops it): the old copy starts, and the reason is recorded.
write_recorder "$packaged" "version 3"
log=$HOME/.local/state/tavorin/start-in.log
stand_in systemd-cat 'exit 1'
if chattr +i "$game" 2>/dev/null || { [ "$(id -u)" != 0 ] && chmod a-w "$game"; }; then
  started=$(PATH=$stubs:$PATH launch_entry "$entry")
  chattr -i "$game" 2>/dev/null || chmod u+w "$game"
  [ "$started" = "$game/Tavorin|$game|" ] || fail "a read-only folder kept the entry from starting its copy"
  grep -q "version 2" "$game/Tavorin" || fail "the copy in the read-only folder changed"
  grep -qF "could not bring $game/Tavorin up to" "$log" ||
    fail "the failed upgrade is not in the log: $(cat "$log")"
  pass "a failed upgrade starts the old copy and is recorded: $(cat "$log")"
  rm -rf "$HOME/.local/state"
else
  echo "skipped: $game cannot be made read-only here"
fi

write_recorder "$game/Tavorin" "the player's own"
launch_entry "$entry" >/dev/null
grep -q "the player's own" "$game/Tavorin" || fail "an upgrade replaced the launcher the player put there"
pass "a launcher the player put there outlives upgrades"

# A copy gone from the folder: the entry cannot start anything, and says why in the
# journal, or in the log under XDG_STATE_HOME where there is no journal.
mv "$game/Tavorin" "$work/out/own"
# journal | systemd-cat stand-in
for row in "absent|exit 1" "running|{ echo \"\$*\"; cat; } >\"$work/out/journal\""; do
  IFS='|' read -r journal stand_in <<<"$row"
  stand_in systemd-cat "$stand_in"
  rm -rf "$work/out/journal" "$HOME/.local/state"
  status=0
  PATH=$stubs:$PATH "$root/usr/lib/games/tavorin/start-in" "$game" 2>/dev/null || status=$?
  if [ "$journal" = running ]; then
    written=$(cat "$work/out/journal" 2>/dev/null) && [ ! -e "$log" ]
  else
    written=$(cat "$log" 2>/dev/null) && [ ! -e "$work/out/journal" ]
  fi || fail "journal $journal: the missing copy was not reported where it belongs"
  [ "$status" = 1 ] && grep -qF "$game/Tavorin is missing" <<<"$written" ||
    fail "journal $journal: exit status $status, and it says: $written"
  pass "journal $journal: a missing copy is reported: ${written//$'\n'/ }"
done
grep -q -- "-t tavorin" "$work/out/journal" || fail "the journal entry is not tagged tavorin"
rm -rf "$HOME/.local/state"
mv "$work/out/own" "$game/Tavorin"

message=$("$root/usr/games/tavorin-uninstall" "$game")
grep -qF "$game/Tavorin" <<<"$message" || fail "the uninstall did not name the launcher it left: $message"
grep -q "the player's own" "$game/Tavorin" || fail "the uninstall removed the player's launcher"
rm "$game/Tavorin"
expect_same_snapshot "the uninstall removes everything else the install wrote" "$before"

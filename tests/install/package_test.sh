# Builds the Debian package from the build tree, checks it with lintian and its file
# list, unpacks it into a scratch root and goes through a player's life with it:
# install into a game folder, a package upgrade that the menu entry brings into the
# folder, a launcher the player replaced by hand that no upgrade touches, uninstall.
# Usage: package_test.sh <source dir> <build dir>
source "$(dirname "$0")/lib.sh" "$1"
build_dir=$2
mkdir -p "$work/out"

(cd "$build_dir" && cpack -G DEB -B "$work/out/deb" >"$work/out/cpack.log") || fail "cpack failed: $(cat "$work/out/cpack.log")"
deb=$(echo "$work"/out/deb/tavorin_*.deb)
[ -f "$deb" ] || fail "cpack made no tavorin .deb"
lintian_report=$(lintian --fail-on error "$deb") || fail "lintian finds errors: $lintian_report"
pass "lintian finds no error${lintian_report:+; it says:
$lintian_report}"

expected="./usr/games/tavorin-install -> ../lib/games/tavorin/tavorin-install
./usr/games/tavorin-uninstall -> ../lib/games/tavorin/tavorin-uninstall
./usr/lib/games/tavorin/Tavorin
./usr/lib/games/tavorin/records.sh
./usr/lib/games/tavorin/start-in
./usr/lib/games/tavorin/tavorin-install
./usr/lib/games/tavorin/tavorin-uninstall
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
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "the package does not depend on Qt's widgets"

root=$work/out/root
dpkg-deb -x "$deb" "$root"
packaged=$root/usr/lib/games/tavorin/Tavorin
file "$packaged" | grep -q ', stripped' || fail "the packaged launcher is not stripped"
game="$work/games/FIFA 2005"
new_game "$game"
before=$(snapshot)

"$root/usr/games/tavorin-install" "$game" >/dev/null
cmp "$packaged" "$game/Tavorin" || fail "the game folder did not get the packaged launcher"
entry=$(entries)
expect_valid_entry "$entry"

write_recorder "$packaged" "version 2"
[ "$(launch_entry "$entry")" = "$game/Tavorin|$game|" ] || fail "the entry did not start the folder's copy in the folder"
cmp "$packaged" "$game/Tavorin" || fail "starting from the entry did not bring the upgrade into the folder"
pass "after an upgrade the entry refreshes the folder's copy and starts it"

write_recorder "$game/Tavorin" "the player's own"
write_recorder "$packaged" "version 3"
launch_entry "$entry" >/dev/null
grep -q "the player's own" "$game/Tavorin" || fail "an upgrade replaced the launcher the player put there"
pass "a launcher the player put there outlives upgrades"

message=$("$root/usr/games/tavorin-uninstall" "$game")
grep -qF "$game/Tavorin" <<<"$message" || fail "the uninstall did not name the launcher it left: $message"
rm "$game/Tavorin"
expect_same_snapshot "the uninstall removes everything else the install wrote" "$before"

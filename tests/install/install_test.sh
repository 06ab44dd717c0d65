# Installs into two game folders of the same name, one of them with its game file in
# capitals, the name needing every kind of quoting a menu entry knows, then removes
# both: launcher, icons and entries arrive, the two entries have different names, each
# starts its own folder's copy in that folder, and afterwards nothing is left.
# Usage: install_test.sh <source dir> <launcher> <hicolor icons folder>
source "$(dirname "$0")/lib.sh" "$@"

name="Çà va \"FIFA\" 'it' \$HOME 100% \\back\`tick\` ;&|<>~*?#()"
game="$work/games/$name"
other="$work/wine/drive_c/$name"
new_game "$game"
new_game "$other" && mv "$other/fifa2005.exe" "$other/FIFA2005.EXE" # as some installers leave it
before=$(snapshot)

install_into "$game" >/dev/null
cmp "$launcher" "$game/Tavorin" && [ -x "$game/Tavorin" ] || fail "the launcher was not copied into the game folder"
diff -r "$icons" "$data_home/icons/hicolor" >&2 || fail "the icons are not in the user's hicolor theme"
pass "launcher and icons are in place"
entry=$(entries)
expect_valid_entry "$entry"
entry_name=${name//\\/\\\\} # a desktop-entry string doubles the backslash
grep -qxF "Name=Tavorin 2005 ($entry_name)" "$entry" ||
  fail "the entry's name does not tell the folder: $(grep ^Name= "$entry")"

# The copy is swapped for a recorder just long enough to see what the entry starts.
write_recorder "$game/Tavorin" "entry check"
started=$(launch_entry "$entry")
cp "$launcher" "$game/Tavorin"
[ "$started" = "$game/Tavorin|$game|" ] ||
  fail "the entry started [$started], not the folder's copy in its folder"
pass "the entry starts the folder's copy in the folder"

installed=$(snapshot)
install_into "$game" >/dev/null
expect_same_snapshot "installing again over our own install changes nothing" "$installed"

install_into "$other" >/dev/null
mapfile -t written < <(entries)
[ "${#written[@]}" = 2 ] || fail "two game folders should have two entries, found ${#written[@]}"
other_entry=$(grep -lF "Path=${other//\\/\\\\}" "${written[@]}")
grep -qxF "Name=Tavorin 2005 (drive_c/$entry_name)" "$other_entry" ||
  fail "a second folder of the same name should add its parent: $(grep ^Name= "$other_entry")"
pass "a folder whose game file is FIFA2005.EXE installs, and the menu tells two folders of one name apart"

uninstall_from "$game" >/dev/null
diff -r "$icons" "$data_home/icons/hicolor" >&2 || fail "the icons went while the second entry uses them"
pass "removing one folder's install leaves the shared icons"
uninstall_from "$other" >/dev/null
expect_same_snapshot "after both uninstalls the game folders and the home are as before" "$before"

# The real launcher with real Windows programs through real Wine. The game folder lies inside a
# private prefix, below a folder whose name has a space and a letter beyond ASCII; a
# cross-compiled stand-in plays the game, the scene program and the import tool and records what
# Windows handed it (tests/wine/standin.cpp). For resolution texts with blanks, quotes, backslashes,
# none and letters beyond ASCII, Play and a camera run must hand the programs exactly the words a
# Windows C runtime makes of the composed lines; the runtime's rules are the command-line test's
# table. The session has neither WINEPREFIX nor a locale: the launcher finds the
# prefix around the game folder itself and gives Wine a UTF-8 character set.
# Usage: wine_e2e.sh <launcher> <source folder> <Wine prefix> <stand-in program>
prefix=$3
standin=$4
source "$(dirname "$0")/lib.sh" "$1" "$2"

export HOME="$work/home" # Wine must not touch the user's own prefix, and must not make one here
mkdir -p "$HOME"
export WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d"
unset WINEPREFIX LANG LC_ALL LC_CTYPE

games="$prefix/drive_c/Jeux vidéo"
rm -rf "$games"
mkdir -p "$games"
mv "$game" "$games/Tavorin Test"
game="$games/Tavorin Test"
windows_game='C:\Jeux vidéo\Tavorin Test'
install_standins "$standin"

# A QSettings INI value: quoted, with backslashes and quotes escaped.
ini_value() {
  local text=${1//\\/\\\\}
  printf '"%s"' "${text//\"/\\\"}"
}

game_head=(-skip_fe=1 windowed=1 home_team=21 HOME_TEAM_KIT=2 AWAY_TEAM_KIT=3 away_team=5 STADIUM_MODEL=7)
scene_head=(-windowed=1 skip_fe HOME_TEAM_KIT=2 AWAY_TEAM_KIT=1 home_team=21 away_team=47 STADIUM_MODEL=92
  windowed=1 audio=0)

# check_text <label> <resolution text> <game words from resolution= on> -- <scene words from resolution= on>
# One launcher session: Play from the keyboard, then PictureButton13 (camera10.efx, back).
check_text() {
  local label=$1 text=$2 game_tail=()
  shift 2
  while [ "$1" != -- ]; do game_tail+=("$1"); shift; done
  shift
  rm -f "$game"/*.record
  seed_settings check1.value=1 check2.value=1 "combo5.text=$(ini_value "$text")" label7.caption=21 \
    label8.caption=5 label9.caption=7 "label10.caption=$(ini_value windowed=1)" label11.caption=2 \
    label14.caption=3 label15.caption=1
  start_launcher
  xdotool key --window "$window" --delay 80 Tab Tab Tab Tab Tab Tab Tab Return # Command2: Play
  wait_for 20 test -e "$game/fifa2005.exe.record" || fail "$label: Play did not start the game"
  click_at 246 382
  wait_for 20 test -e "$game/TVR2005.exe.record" || fail "$label: the camera run did not start the scene"
  wmctrl -i -c "$window"
  wait_for_exit
  expect_eq "$label: game" "$(printf '%s|' "${game_head[@]}" "${game_tail[@]}")" "$(words_of fifa2005.exe)"
  expect_eq "$label: scene" "$(printf '%s|' "${scene_head[@]}" "$@")" "$(words_of TVR2005.exe)"
}

started=$SECONDS
check_text "plain" 1024x768x32 resolution=1024x768x32 audio=1 -- resolution=1024x768x32
expect_eq "import tool" "/i|dress0.big|script_single_back.viv|script_single_back.viv|" "$(words_of impbig.exe)"
# Where each Windows program ran and what it was called: the game folder, by its drive C path.
for program in fifa2005.exe TVR2005.exe impbig.exe; do
  expect_eq "$program current folder and argv[0]" "$windows_game $windows_game\\$program" \
    "$(recorded "$program" folder) $(recorded "$program" arg | head -n1)"
done

check_text "spaces" '  1024 x  768 ' \
  resolution= 1024 x 768 audio=1 -- resolution= 1024 x 768
check_text "escaped quotes" 'say\"hi\" a\\\"b' \
  'resolution=say"hi"' 'a\"b' audio=1 -- 'resolution=say"hi"' 'a\"b'
check_text "empty" '' \
  resolution= audio=1 -- resolution=
check_text "letters of Windows-1252" 'Größe é' \
  resolution=Größe é audio=1 -- resolution=Größe é
# A game of 2005 reads its line through the ANSI code page, which Wine takes from the locale.
expect_eq "letters of Windows-1252: the game's ANSI line" "resolution=Größe é audio=1" \
  "$(recorded fifa2005.exe ansi | sed 's/.* resolution=/resolution=/')"
echo "   $((SECONDS - started)) s"

# With no settings file, the options a Windows build left under Wine are the first run's: texts
# that need every kind of escape Wine writes into user.reg, beside values of other kinds.
reg_add() {
  LC_ALL=C.UTF-8 WINEPREFIX=$prefix wine reg add 'HKCU\Software\VB and VBA Program Settings\Tavorin\Options' \
    "$@" /f >/dev/null || fail "wine reg add $*"
}
reg_add /v combo3.text /d 'Bayern München "x" 1860'
reg_add /v combo4.text /d 'back\slash\\'
reg_add /v combo6.text /d 'é€😀7' # a character beyond 16 bits before a digit
reg_add /v label9.caption /d $'tab\there\nline\e'
reg_add /ve /d default
reg_add /v dw /t REG_DWORD /d 5
reg_add /v bin /t REG_BINARY /d "$(printf '%096d' 0)"
# The server writes user.reg as it ends. A lasting one and Wine's services, up again with output
# nowhere, keep the next Wine tests quick and hold no test's output open.
WINEPREFIX=$prefix wineserver -k
WINEPREFIX=$prefix wineserver -p600 </dev/null >/dev/null 2>&1
WINEPREFIX=$prefix wineboot </dev/null >/dev/null 2>&1
rm "$settings"
start_launcher
wmctrl -i -c "$window"
wait_for_exit
expect_eq "options carried over from user.reg" "$(cat <<'INI'
combo3.text=Bayern München \"x\" 1860
combo4.text=back\\slash\\\\
combo6.text=é€😀7
label9.caption=tab\there\nline\x1b
INI
)" "$(grep -E '^(combo[346]|label9)\.' "$settings")"

[ ! -e "$HOME/.wine" ] || fail "Wine made a prefix in the home folder"
pass "no prefix in the home folder"

# The real launcher with real Windows programs through real Wine. The game folder lies inside a
# private prefix, below a folder whose name has a space and a letter beyond ASCII; a
# cross-compiled stand-in plays the game, the scene program and the import tool and records what
# Windows handed it (tests/wine/standin.cpp). For every awkward resolution text a player can
# type, Play and a camera run must hand the programs exactly the words a Windows C runtime makes
# of the composed lines: every text with WINEPREFIX set and a UTF-8 locale, the letters beyond
# ASCII also with neither, where the launcher finds the prefix around the game folder itself.
# Usage: wine_e2e.sh <launcher> <source folder> <Wine prefix> <stand-in program>
prefix=$3
standin=$4
source "$(dirname "$0")/lib.sh" "$1" "$2"

export HOME="$work/home" # Wine must not touch the user's own prefix, and must not make one here
mkdir -p "$HOME"
export WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d"

games="$prefix/drive_c/Jeux vidéo"
rm -rf "$games"
mkdir -p "$games"
mv "$game" "$games/Tavorin Test"
game="$games/Tavorin Test"
windows_game='C:\Jeux vidéo\Tavorin Test'
for program in fifa2005.exe TVR2005.exe impbig.exe; do cp "$standin" "$game/$program"; done

# A QSettings INI value: quoted, with backslashes and quotes escaped.
ini_value() {
  local text=${1//\\/\\\\}
  printf '"%s"' "${text//\"/\\\"}"
}

recorded() { sed -n "s/^$2=//p" "$game/$1.record"; } # recorded <program> <key>
show_words() { local word shown=""; for word in "$@"; do shown+="[$word] "; done; printf '%s' "${shown% }"; }

# expect_words <what> <program> <words from argv[1] on...>
expect_words() {
  local what=$1 program=$2 words
  shift 2
  mapfile -t words < <(recorded "$program" arg | tail -n +2)
  [ "$(show_words "${words[@]}")" = "$(show_words "$@")" ] ||
    fail "$what: expected $(show_words "$@"), got $(show_words "${words[@]}")"
  pass "$what: $(show_words "$@")"
}

# Where a Windows program ran and what it was called: the game folder, by its drive C path.
expect_started_in_game() { # expect_started_in_game <program>
  expect_eq "$1 current folder" "$windows_game" "$(recorded "$1" folder)"
  expect_eq "$1 argv[0]" "$windows_game\\$1" "$(recorded "$1" arg | head -n1)"
}

game_head=(-skip_fe=1 windowed=1 home_team=21 HOME_TEAM_KIT=2 AWAY_TEAM_KIT=3 away_team=5 STADIUM_MODEL=7)
scene_head=(-windowed=1 skip_fe HOME_TEAM_KIT=2 AWAY_TEAM_KIT=1 home_team=21 away_team=47 STADIUM_MODEL=92
  windowed=1 audio=0)
import_words=(/i dress0.big script_single_back.viv script_single_back.viv)

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

  expect_words "$label: game" fifa2005.exe "${game_head[@]}" "${game_tail[@]}"
  expect_words "$label: scene" TVR2005.exe "${scene_head[@]}" "$@"
  expect_words "$label: import tool" impbig.exe "${import_words[@]}"
  echo "   the game's line as Wine rebuilt it: $(recorded fifa2005.exe line)"
  for program in fifa2005.exe TVR2005.exe impbig.exe; do expect_started_in_game "$program"; done
  # The staged archive ends with what the import tool appended just before it ended.
  { printf 'ENTRscript_single_back.viv\n%s\n' "$(wc -c <"$game/camera10.efx")"; cat "$game/camera10.efx"; } >"$work/entry"
  cmp -s "$game/dress0.big" "$game/data/cmn/be/dress0.big" || fail "$label: the archive was not staged"
  tail -c "$(wc -c <"$work/entry")" "$game/data/cmn/be/dress0.big" | cmp -s - "$work/entry" ||
    fail "$label: the staged archive lacks the import tool's record"
  pass "$label: the archive staged after the import"
}

# Quoting is all ASCII: neither the prefix nor the locale changes what Wine makes of it.
check_quoting() {
  check_text "spaces" '  1024 x  768 ' \
    resolution= 1024 x 768 audio=1 -- resolution= 1024 x 768
  check_text "quoted" '"1024 x 768"' \
    'resolution=1024 x 768' audio=1 -- 'resolution=1024 x 768'
  check_text "unbalanced quote" '1024"x768 b' \
    'resolution=1024x768 b audio=1' -- 'resolution=1024x768 b'
  check_text "escaped quotes" 'say\"hi\" a\\\"b' \
    'resolution=say"hi"' 'a\"b' audio=1 -- 'resolution=say"hi"' 'a\"b'
  check_text "backslashes" 'C:\Games\x64\' \
    'resolution=C:\Games\x64\' audio=1 -- 'resolution=C:\Games\x64\'
  check_text "backslash before a closing quote" '"C:\My Games\\"' \
    'resolution=C:\My Games\' audio=1 -- 'resolution=C:\My Games\'
  check_text "empty" '' \
    resolution= audio=1 -- resolution=
  check_text "empty word" ' ""' \
    resolution= '' audio=1 -- resolution= ''
}

check_letters() {
  check_text "letters of Windows-1252" 'Größe é' \
    resolution=Größe é audio=1 -- resolution=Größe é
  # A game of 2005 reads its line through the ANSI code page, which Wine takes from the locale.
  expect_eq "letters of Windows-1252: the game's ANSI line" "resolution=Größe é audio=1" \
    "$(recorded fifa2005.exe ansi | sed 's/.* resolution=/resolution=/')"
  check_text "letters beyond Windows-1252" 'Ж😀' \
    resolution=Ж😀 audio=1 -- resolution=Ж😀
}

echo "== WINEPREFIX set, UTF-8 locale"
export WINEPREFIX=$prefix LANG=C.UTF-8
unset LC_ALL LC_CTYPE
started=$SECONDS
# An import tool that takes two seconds and then fails: the launcher waits for it, stages what it
# wrote, and goes on.
TAVORIN_IMPBIG_SLEEP_MS=2000 TAVORIN_IMPBIG_EXIT=7 check_text "slow failing import tool" 1024x768x32 \
  resolution=1024x768x32 audio=1 -- resolution=1024x768x32
check_quoting
check_letters
echo "   $((SECONDS - started)) s"

# Wine reads its arguments, the game folder's name among them, in the locale's character set.
echo "== WINEPREFIX unset, POSIX locale"
unset WINEPREFIX LANG
started=$SECONDS
check_letters
echo "   $((SECONDS - started)) s"

[ ! -e "$HOME/.wine" ] || fail "Wine made a prefix in the home folder"
pass "no prefix in the home folder"

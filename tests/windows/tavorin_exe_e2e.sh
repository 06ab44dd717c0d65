#!/usr/bin/env bash
# The Windows launcher as a player gets it: the zip unpacked into a game folder of a new Wine
# prefix, Tavorin.exe started there under Wine on the test's X server, with the cross-compiled
# stand-in (tests/wine/standin.cpp) as the game, the scene program and the import tool. Its face
# must match the Linux launcher's, the programs must get exactly the composed lines, its options
# must land in the registry where the classic runtime kept them (what a Linux launcher carries
# over from there is wine_e2e's), and a failed step must be told in a message box and
# end the program with exit code 1.
# Usage: tavorin_exe_e2e.sh <zip> <source folder> <Linux launcher> <stand-in program>
zip=$1
standin=$4
source "$(dirname "$0")/../e2e/lib.sh" "$3" "$2"
prefix_script="$source_dir/tests/wine/prefix.sh"

export HOME="$work/home" WINEPREFIX="$work/prefix" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
mkdir -p "$HOME"
trap 'status=$?; [ -n "$launcher_pid" ] && kill "$launcher_pid" 2>/dev/null
  if [ $status = 0 ]; then bash "$prefix_script" remove "$WINEPREFIX"; rm -rf "$work"
  else wineserver -k 2>/dev/null; echo "kept $work"; fi; exit $status' EXIT
# A new prefix of its own, with its server ending a few seconds after the last program as a
# player's does: that is when Wine writes the registry to user.reg.
DISPLAY="" wineboot -i </dev/null >/dev/null 2>&1
wineserver -w
[ -f "$WINEPREFIX/system.reg" ] || fail "wineboot made no prefix"

mkdir -p "$WINEPREFIX/drive_c/Games"
mv "$game" "$WINEPREFIX/drive_c/Games/Tavorin 2005"
game="$WINEPREFIX/drive_c/Games/Tavorin 2005"
windows_game='C:\Games\Tavorin 2005'
# The whole install: the contents of the zip's Tavorin folder copied into the game folder.
unzip -q "$zip" -d "$work/zip"
[ -f "$work/zip/Tavorin/Tavorin.exe" ] || fail "the zip has no Tavorin/Tavorin.exe"
cp -a "$work/zip/Tavorin/." "$game/"
install_standins "$standin"
first_team=$(head -n1 "$game/teams.ini" | tr -d '\r' | sed 's/.*,[[:space:]]*//')
options_key='HKCU\Software\VB and VBA Program Settings\Tavorin\Options'

start_windows_launcher() { run_launcher wine "$game/Tavorin.exe" && find_window 60 && sleep 0.5; }
screenshot() { xdotool mousemove 1015 760; sleep 0.5; import -window "$window" "$1"; }
# The three lists and the logo box are drawn by each platform's style and fonts.
outside_lists_and_logo() {
  convert "$1" -fill black -draw 'rectangle 48,144 200,164' -draw 'rectangle 264,144 416,164' \
    -draw 'rectangle 264,208 416,228' -draw 'rectangle 80,192 160,264' "$2"
}

echo "== the face, beside the Linux launcher's"
start_launcher
screenshot "$work/linux.png"
click_at 412 14 # PictureButton2: exit
wait_for_exit
start_windows_launcher
screenshot "$work/windows.png"
mkdir -p "$source_dir/build-windows" && cp "$work/windows.png" "$source_dir/build-windows/window-e2e.png"
expect_eq "window size" "430x449" "$(identify -format '%wx%h' "$work/windows.png")"
outside_lists_and_logo "$work/linux.png" "$work/linux-masked.png"
outside_lists_and_logo "$work/windows.png" "$work/windows-masked.png"
expect_eq "pixels that differ from the Linux launcher's outside the lists and the logo" 0 \
  "$(compare -metric AE "$work/linux-masked.png" "$work/windows-masked.png" "$work/difference.png" 2>&1 || true)"

echo "== picks, Play and a camera run"
xdotool key --delay 80 Tab Tab Down Tab Tab Down Tab space # Combo3, Combo5: the first; Check1: windowed
xdotool key --delay 80 Tab Tab Return                      # Command2: Play
wait_for 20 test -e "$game/fifa2005.exe.record" || fail "Play did not start the game"
game_line="fifa2005.exe -skip_fe=1 windowed=1 home_team=$first_team HOME_TEAM_KIT= AWAY_TEAM_KIT= away_team= STADIUM_MODEL= resolution=640x480x16 audio="
# Windows hands a program its line as it was composed: the program's words follow from it.
expect_eq "the game's command line" "$game_line" "$(recorded fifa2005.exe line)"
expect_eq "the game's folder" "$windows_game" "$(recorded fifa2005.exe folder)"

click_at 118 382 # PictureButton10: camera8.efx, front
wait_for 30 test -e "$game/TVR2005.exe.record" || fail "the camera run did not start the scene program"
expect_eq "the import line" "impbig /i dress0.big script_single_front.viv script_single_front.viv" \
  "$(recorded impbig.exe line)"
expect_eq "the import tool's folder" "$windows_game" "$(recorded impbig.exe folder)"
scene_line="TVR2005.exe -windowed=1 skip_fe HOME_TEAM_KIT= AWAY_TEAM_KIT=1 home_team=$first_team away_team=47 STADIUM_MODEL=92 windowed=1 audio=0 resolution=640x480x16"
expect_eq "the scene line" "$scene_line" "$(recorded TVR2005.exe line)"
expect_eq "the scene's folder" "$windows_game" "$(recorded TVR2005.exe folder)"
click_at 412 14 # PictureButton2: exit
wait_for_exit 0

echo "== the options in the registry"
wineserver -w # the registry reaches user.reg as the server ends, a few seconds after the launcher
query=$(wine reg query "$options_key" | tr -d '\r')
echo "$query" | sed 's/^/   /'
expect_eq "values, and string values, under the Options key" "15 15" \
  "$(echo "$query" | grep -c '^ \+[a-z0-9]*\.[a-z]* \+REG_') $(echo "$query" | grep -c '^ \+[a-z0-9]*\.[a-z]* \+REG_SZ ')"

echo "== a failed step"
rm "$game/front.bin"
start_windows_launcher
click_at 118 382 # the side file is missing
box=$(timeout 30 xdotool search --sync --onlyvisible --name '^Tavorin$' | head -n1)
[ -n "$box" ] || fail "no message box"
pass "the failed step is told in a message box"
sleep 0.5
xdotool key Return
wait_for_exit 1

# A user's session with the real launcher: picks through the keyboard (also on
# controls outside the face), Play, every camera, then a close request. The game folder's
# names are in other capitals than the launcher spells them, as a Windows installer may
# have left them: FIFA2005.EXE, DATA/CMN/BE, Camera8.EFX, TEAMS.INI, the logos' folders.
# The demo's programs are swapped for recorders so every argument is checked.
source "$(dirname "$0")/lib.sh" "$1" "$2"

(
  cd "$game"
  for file in camera*.efx; do mv "$file" "C${file:1:-4}.EFX"; done
  mv dress0.big Dress0.BIG && mv front.bin FRONT.BIN && mv back.bin Back.Bin
  mv teams.ini TEAMS.INI && mv kits.ini Kits.Ini
  for file in data/EASO/fifa/images/logos/logo*.jpg; do
    number=${file##*/logo}
    mv "$file" "${file%/*}/LOGO${number%.jpg}.JPG"
  done
  mv data/EASO/fifa/images/logos data/EASO/fifa/images/LOGOS && mv data/EASO/fifa/images data/EASO/fifa/Images
  mv data/EASO/fifa data/EASO/FIFA && mv data/EASO data/easo
  mv data/cmn/be data/cmn/BE && mv data/cmn data/CMN && mv data DATA
  printf old >DATA/CMN/BE/Dress0.big && printf old >DATA/CMN/BE/FIFA00.BIN
  rm fifa2005.exe TVR2005.exe impbig.exe
)
be="$game/DATA/CMN/BE"
record="$game/record.log"
for program in FIFA2005.EXE tvr2005.EXE Impbig.Exe; do
  cat >"$game/$program" <<SCRIPT
#!/bin/sh
{ echo "== $program in \$(pwd)"; for a in "\$@"; do echo "\$a"; done; } >>"$record"
SCRIPT
  chmod +x "$game/$program"
done
# The import tool also shows that the script copy is there while it runs, and changes the
# archive, which it finds whatever its capitals, as a Windows program does.
cat >>"$game/Impbig.Exe" <<'SCRIPT'
echo "script: $(cat "$4")" >>"$(dirname "$0")/record.log"
echo imported >>"$(ls | grep -ix "$2" | head -n1)"
SCRIPT
first_team=$(head -n1 "$game/TEAMS.INI" | tr -d '\r' | sed 's/.*,[[:space:]]*//')

start_launcher
xdotool key --window "$window" --delay 80 Tab Tab Down        # Combo3: the first team
xdotool key --window "$window" --delay 80 Tab Tab Down        # Combo5: the first resolution
xdotool key --window "$window" --delay 80 Tab space           # Check1: windowed
xdotool key --window "$window" --delay 80 Tab Tab Return      # Command2: Play
wait_for 10 grep -q FIFA2005 "$record" || fail "Play did not start the game"
click_at 118 382                                              # PictureButton10: camera8, front
wait_for 10 grep -q tvr2005 "$record" || fail "the camera run did not start the scene program"

expected=$(cat <<EXPECTED
== FIFA2005.EXE in $game
-skip_fe=1
windowed=1
home_team=$first_team
HOME_TEAM_KIT=
AWAY_TEAM_KIT=
away_team=
STADIUM_MODEL=
resolution=640x480x16
audio=
== Impbig.Exe in $game
/i
dress0.big
script_single_front.viv
script_single_front.viv
script: $(cat "$game/Camera8.EFX")
== tvr2005.EXE in $game
-windowed=1
skip_fe
HOME_TEAM_KIT=
AWAY_TEAM_KIT=1
home_team=$first_team
away_team=47
STADIUM_MODEL=92
windowed=1
audio=0
resolution=640x480x16
EXPECTED
)
expect_eq "arguments of the game, the import tool and the scene" "$expected" "$(cat "$record")"

# expect_staged <camera file> <side file>: the run staged over the data folder's own names.
expect_staged() {
  cmp -s "$game/Dress0.BIG" "$be/Dress0.big" || fail "$1: the archive was not staged over Dress0.big"
  tail -n1 "$be/Dress0.big" | grep -q imported || fail "$1: the staged archive lacks the import"
  cmp -s "$game/$2" "$be/FIFA00.BIN" || fail "$1: $2 was not staged over FIFA00.BIN"
  expect_eq "$1: the data folder's names" ".gitignore Dress0.big FIFA00.BIN" "$(ls -A "$be" | LC_ALL=C sort | xargs)"
  [ ! -e "$game/script_single_front.viv" ] && [ ! -e "$game/script_single_back.viv" ] ||
    fail "$1: the script copy was left behind"
}
expect_staged Camera8.EFX FRONT.BIN

flat() { tr -s '\n ' ' ' | sed 's/ $//'; }
# The other eleven buttons, in the order the face shows them, each with its own files.
while read -r x y camera script side; do
  : >"$record"
  click_at "$x" "$y"
  wait_for 10 grep -q tvr2005 "$record" || fail "$camera: the camera run did not start the scene program"
  expect_eq "$camera: import" "$(printf '%s\n' /i dress0.big "$script" "$script" "script: $(cat "$game/$camera")" | flat)" \
    "$(sed -n '/^== Impbig/,/^== tvr/p' "$record" | sed '1d;$d' | flat)"
  expect_staged "$camera" "$side"
done <<CAMERAS
54 334 Camera.EFX script_single_front.viv FRONT.BIN
118 334 Camera2.EFX script_single_front.viv FRONT.BIN
182 334 Camera3.EFX script_single_front.viv FRONT.BIN
246 334 Camera4.EFX script_single_front.viv FRONT.BIN
310 334 Camera5.EFX script_single_front.viv FRONT.BIN
374 334 Camera6.EFX script_single_front.viv FRONT.BIN
54 382 Camera7.EFX script_single_front.viv FRONT.BIN
182 382 Camera.EFX script_single_front.viv Back.Bin
374 382 Camera9.EFX script_single_back.viv Back.Bin
246 382 Camera10.EFX script_single_back.viv Back.Bin
310 382 Camera11.EFX script_single_back.viv Back.Bin
CAMERAS
pass "files staged for every camera"

wmctrl -i -c "$window"
wait_for_exit
expect_eq "check1.value" "1" "$(setting check1.value)"
expect_eq "label7.caption" "$first_team" "$(setting label7.caption)"
expect_eq "label10.caption" '"windowed=1"' "$(setting label10.caption)"
expect_eq "combo5.text" "640x480x16" "$(setting combo5.text)"
expect_eq "keys in the store" 15 "$(stored_keys)"

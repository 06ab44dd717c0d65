# A user's session with the real launcher: picks through the keyboard (also on
# controls outside the face), Play, a camera run, then a close request.
# The demo's programs are swapped for recorders so every argument is checked.
source "$(dirname "$0")/lib.sh" "$1" "$2"

record="$game/record.log"
for program in TVR2005.exe fifa2005.exe impbig.exe; do
  cat >"$game/$program" <<SCRIPT
#!/bin/sh
{ echo "== $program in \$(pwd)"; for a in "\$@"; do echo "\$a"; done; } >>"$record"
SCRIPT
  chmod +x "$game/$program"
done
# The import tool also shows that the script copy is there while it runs, and changes the archive.
cat >>"$game/impbig.exe" <<'SCRIPT'
echo "script: $(cat "$4")" >>"$(dirname "$0")/record.log"
echo imported >>dress0.big
SCRIPT
first_team=$(head -n1 "$game/teams.ini" | tr -d '\r' | sed 's/.*,[[:space:]]*//')

start_launcher
xdotool key --window "$window" --delay 80 Tab Tab Down        # Combo3: the first team
xdotool key --window "$window" --delay 80 Tab Tab Down        # Combo5: the first resolution
xdotool key --window "$window" --delay 80 Tab space           # Check1: windowed
xdotool key --window "$window" --delay 80 Tab Tab Return      # Command2: Play
wait_for 10 grep -q fifa2005 "$record" || fail "Play did not start the game"
click_at 118 382                                              # PictureButton10: camera8, front
wait_for 10 grep -q TVR2005 "$record" || fail "the camera run did not start the scene program"

expected=$(cat <<EXPECTED
== fifa2005.exe in $game
-skip_fe=1
windowed=1
home_team=$first_team
HOME_TEAM_KIT=
AWAY_TEAM_KIT=
away_team=
STADIUM_MODEL=
resolution=640x480x16
audio=
== impbig.exe in $game
/i
dress0.big
script_single_front.viv
script_single_front.viv
script: $(cat "$game/camera8.efx")
== TVR2005.exe in $game
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
cmp -s "$game/dress0.big" "$game/data/cmn/be/dress0.big" || fail "the archive was not staged"
tail -n1 "$game/data/cmn/be/dress0.big" | grep -q imported || fail "the staged archive lacks the import"
cmp -s "$game/front.bin" "$game/data/cmn/be/fifa00.bin" || fail "front.bin was not staged as fifa00.bin"
[ ! -e "$game/script_single_front.viv" ] || fail "the script copy was left behind"
pass "files staged"

wmctrl -i -c "$window"
wait_for_exit
expect_eq "check1.value" "1" "$(setting check1.value)"
expect_eq "label7.caption" "$first_team" "$(setting label7.caption)"
expect_eq "label10.caption" '"windowed=1"' "$(setting label10.caption)"
expect_eq "combo5.text" "640x480x16" "$(setting combo5.text)"
expect_eq "keys in the store" 15 "$(stored_keys)"

# A user's session with the real launcher, by the keyboard alone but for the clicks it is
# compared with, in a game folder whose names are in other capitals than the launcher spells
# them, as a Windows installer may have left them: FIFA2005.EXE, DATA/CMN/BE, Camera8.EFX,
# TEAMS.INI, the logos' folders. The folder's programs are recorders, so every argument is checked.
# Picks (also on controls outside the face) and Play; then Tab reaches the twelve camera buttons
# in tab order and Space on each runs its row exactly as a click on the same button does,
# staging over the data folder's own names; the focus mark shows on the focused button alone; a
# screen reader hears each image button's name as the focus lands on it; and Return on the close
# button saves the picks once and ends, as its click does, not as a close request (three saves).
reads_accessibility=1
source "$(dirname "$0")/lib.sh" "$1" "$2"

# Every name but the launcher's in the other case (fifa2005.exe is FIFA2005.EXE, data/EASO is
# DATA/easo); the cameras as Camera8.EFX.
(
  cd "$game"
  rm fifa2005.exe TVR2005.exe impbig.exe
  find . -depth -mindepth 1 ! -name Tavorin -execdir bash -c 'mv "$1" "$(tr a-zA-Z A-Za-z <<<"$1")"' _ {} \;
  for file in CAMERA*.EFX; do mv "$file" "Camera${file:6}"; done
  printf old >DATA/CMN/BE/Dress0.big && printf old >DATA/CMN/BE/FIFA00.BIN
)
be="$game/DATA/CMN/BE"
record="$game/record.log"
for program in FIFA2005.EXE tvr2005.EXE IMPBIG.EXE; do
  cat >"$game/$program" <<SCRIPT
#!/bin/sh
{ echo "== $program in \$(pwd)"; for a in "\$@"; do echo "\$a"; done; } >>"$record"
SCRIPT
  chmod +x "$game/$program"
done
# The import tool also shows that the script copy is there while it runs, and changes the
# archive, which it finds whatever its capitals, as a Windows program does.
cat >>"$game/IMPBIG.EXE" <<'SCRIPT'
echo "script: $(cat "$4")" >>"$(dirname "$0")/record.log"
echo imported >>"$(ls | grep -ix "$2" | head -n1)"
SCRIPT
first_team=$(head -n1 "$game/TEAMS.INI" | tr -d '\r' | sed 's/.*,[[:space:]]*//')

# In tab order: the button, the middle of its thumbnail on the face, its camera and side files,
# its script, the screen reader's name.
cameras=(
  "PictureButton3 54 334 Camera.EFX FRONT.BIN script_single_front.viv front, head and shoulders"
  "PictureButton4 118 334 Camera2.EFX FRONT.BIN script_single_front.viv front, chest close-up"
  "PictureButton5 182 334 Camera3.EFX FRONT.BIN script_single_front.viv front, whole player from afar"
  "PictureButton6 246 334 Camera4.EFX FRONT.BIN script_single_front.viv front, whole player, nearer and from low"
  "PictureButton7 310 334 Camera5.EFX FRONT.BIN script_single_front.viv front, from the knees up"
  "PictureButton8 374 334 Camera6.EFX FRONT.BIN script_single_front.viv front, face close-up"
  "PictureButton9 54 382 Camera7.EFX FRONT.BIN script_single_front.viv front, waist and shorts"
  "PictureButton10 118 382 Camera8.EFX FRONT.BIN script_single_front.viv front, legs and boots"
  "PictureButton11 182 382 Camera.EFX BACK.BIN script_single_front.viv back, whole player from afar"
  "PictureButton12 374 382 Camera9.EFX BACK.BIN script_single_back.viv back, shorts and legs"
  "PictureButton13 246 382 Camera10.EFX BACK.BIN script_single_back.viv back, shirt with name and number"
  "PictureButton14 310 382 Camera11.EFX BACK.BIN script_single_back.viv back, upper back with the number, close"
)

keys() { xdotool key --window "$window" --delay 80 "$@"; }

# camera_run <camera file> <side file> <script> <command...>: runs the command, which must start
# exactly this camera's import and the scene, staged over the data folder's own names.
camera_run() {
  local camera=$1 side=$2 script=$3; shift 3
  : >"$record"
  "$@"
  wait_for 10 grep -q '^resolution=' "$record" || fail "$camera: no camera run after: $*"
  expect_eq "$camera: the import and the scene after $1" "$(printf '%s\n' "== IMPBIG.EXE in $game" /i dress0.big \
    "$script" "$script" "script: $(cat "$game/$camera")" "== tvr2005.EXE in $game" -windowed=1 skip_fe \
    HOME_TEAM_KIT= AWAY_TEAM_KIT=1 "home_team=$first_team" away_team=47 STADIUM_MODEL=92 windowed=1 audio=0 \
    resolution=640x480x16)" "$(cat "$record")"
  cmp -s "$game/DRESS0.BIG" "$be/Dress0.big" || fail "$camera: the archive was not staged over Dress0.big"
  tail -n1 "$be/Dress0.big" | grep -q imported || fail "$camera: the staged archive lacks the import"
  cmp -s "$game/$side" "$be/FIFA00.BIN" || fail "$camera: $side was not staged over FIFA00.BIN"
  expect_eq "$camera: the data folder's names" ".GITIGNORE Dress0.big FIFA00.BIN" "$(ls -A "$be" | LC_ALL=C sort | xargs)"
  [ ! -e "$game/script_single_front.viv" ] && [ ! -e "$game/script_single_back.viv" ] ||
    fail "$camera: the script copy was left behind"
}

# marked: the window differs from its look after Play (a shot in mark.png).
marked() {
  import -window "$window" "$work/mark.png"
  [ "$(compare -metric AE "$work/start.png" "$work/mark.png" null: 2>&1)" != 0 ]
}

# Every image button's name in tab order, the eye and the maker's logo after the cameras.
button_names=(Minimise Close "${cameras[@]#* * * * * * }" Credits "Kestrel Lane Software")
printf '%s\n' "${button_names[@]}" >"$work/button_names"
# focused_names: the names of the image buttons that took the focus, as the screen reader heard them.
focused_names() { grep -Fx -f "$work/button_names" "$work/focus.log" || true; }

# The screen reader listens before the launcher starts. It ends by itself when this test does.
/usr/bin/python3 "$(dirname "$0")/accessibility_tree.py" --focus >"$work/focus.log" 2>"$work/listener.err" &
wait_for 20 grep -qx listening "$work/focus.log" || fail "the screen-reader client is not listening"
start_launcher
xdotool mousemove 1015 760 # off the face: no hover picture in the shots
keys Tab Tab Down Tab Tab Down # Combo3 and Combo5: the first team and the first resolution
keys Tab space Tab Tab Return  # Check1: windowed; Command2: Play
wait_for 10 grep -q '^audio=' "$record" || fail "Play did not start the game"
expect_eq "the game's arguments" "$(printf '%s\n' "== FIFA2005.EXE in $game" -skip_fe=1 windowed=1 \
  "home_team=$first_team" HOME_TEAM_KIT= AWAY_TEAM_KIT= away_team= STADIUM_MODEL= resolution=640x480x16 audio=)" \
  "$(cat "$record")"
import -window "$window" "$work/start.png" # the focus on Play, which lies off the face

tabs=6 # Command2 to PictureButton3: two lists and a check box outside the face, then minimise and close
for camera in "${cameras[@]}"; do
  read -r button x y file side script name <<<"$camera"
  keys $(printf 'Tab %.0s' $(seq $tabs))
  if [ $tabs -gt 1 ]; then
    wait_for 5 marked || fail "no focus mark on $button"
    read -r w h left top < <(convert "$work/start.png" "$work/mark.png" -compose difference -composite \
      -trim -format '%w %h %X %Y\n' info: | tr -d +)
    [ "$left" -ge 24 ] && [ "$top" -ge 312 ] && [ $((left + w)) -le 84 ] && [ $((top + h)) -le 357 ] ||
      fail "the focus mark spills out of $button: ${w}x${h} at $left,$top"
    pass "the focus mark lies on $button alone"
  fi
  tabs=1
  camera_run "$file" "$side" "$script" keys space
  camera_run "$file" "$side" "$script" click_at "$x" "$y"
  pass "Tab reaches $button ($name), and Space runs its row as its click does"
done

keys Tab Tab # on to the eye and the maker's logo
wait_for 10 eval '[ "$(focused_names | tail -n1)" = "${button_names[-1]}" ]' ||
  fail "the screen reader did not hear of the last image button"
expect_eq "the names the screen reader heard" "$(printf '%s\n' "${button_names[@]}")" "$(focused_names)"

keys $(printf 'shift+Tab %.0s' $(seq 14)) # back to the close button
wait_for 10 eval '[ "$(tail -n1 "$work/focus.log")" = Close ]' || fail "Shift+Tab did not come back to Close"
# The launcher's file system calls from here to its end, to count its saves.
strace -f -o "$work/saves.log" -e trace=rename,linkat -p "$launcher_pid" 2>"$work/strace.err" &
tracer=$!
wait_for 10 grep -q attached "$work/strace.err" || fail "strace cannot watch the launcher: $(cat "$work/strace.err")"
keys Return 2>/dev/null || true # the window is gone before the key's release can reach it
wait_for 10 launcher_gone || fail "Return on the close button did not end the launcher"
status=0
wait "$launcher_pid" || status=$?
launcher_pid=""
wait "$tracer" || true
expect_eq "exit code after Return on the close button" 0 "$status"
# A save lands a whole new settings file: a link of the new file, or a rename over the old one.
expect_eq "saves by Return on the close button" 1 \
  "$(grep -cE 'Tavorin\.ini"(, AT_SYMLINK_FOLLOW)?\) = 0$' "$work/saves.log")"
expect_eq "keys saved" 15 "$(stored_keys)"
expect_eq "the picks in check1.value, label7.caption, label10.caption, combo5.text" "1 $first_team \"windowed=1\" 640x480x16" \
  "$(setting check1.value) $(setting label7.caption) $(setting label10.caption) $(setting combo5.text)"

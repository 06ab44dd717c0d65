# The keyboard alone, on the real launcher: from start, Tab reaches the twelve camera buttons
# in tab order and Space on each runs its row exactly as a click on the same button does; a
# screen reader hears each image button's name as the focus lands on it; the focus mark shows on the
# focused button alone; and Return on the close button saves once and ends, as its click does,
# not as a close request (which saves three times).
reads_accessibility=1
source "$(dirname "$0")/lib.sh" "$1" "$2"

record="$work/record.log"
staged="$game/data/cmn/be"
# The import tool puts the script it is given into the archive, so the staged archive tells which camera ran.
cat >"$game/impbig.exe" <<SCRIPT
#!/bin/sh
echo "impbig \$*" >>"$record"
cp "\$4" dress0.big
SCRIPT
cat >"$game/TVR2005.exe" <<SCRIPT
#!/bin/sh
echo "TVR2005 \$*" >>"$record"
SCRIPT
chmod +x "$game/impbig.exe" "$game/TVR2005.exe"

# In tab order: the button, the middle of its thumbnail on the face, the screen reader's name.
cameras=(
  "PictureButton3 54 334 front, head and shoulders"
  "PictureButton4 118 334 front, chest close-up"
  "PictureButton5 182 334 front, whole player from afar"
  "PictureButton6 246 334 front, whole player, nearer and from low"
  "PictureButton7 310 334 front, from the knees up"
  "PictureButton8 374 334 front, face close-up"
  "PictureButton9 54 382 front, waist and shorts"
  "PictureButton10 118 382 front, legs and boots"
  "PictureButton11 182 382 back, whole player from afar"
  "PictureButton12 374 382 back, shorts and legs"
  "PictureButton13 246 382 back, shirt with name and number"
  "PictureButton14 310 382 back, upper back with the number, close"
)

keys() { xdotool key --window "$window" --delay 80 "$@"; }

# camera_run <file> <command...>: runs the command and writes to the file what the camera run
# it starts leaves behind: the import and scene lines and the two staged files.
camera_run() {
  local out=$1; shift
  rm -f "$record" "$staged/dress0.big" "$staged/fifa00.bin"
  "$@"
  wait_for 10 grep -qs '^TVR2005' "$record" || fail "no camera run after: $*"
  { cat "$record"; md5sum <"$staged/dress0.big"; md5sum <"$staged/fifa00.bin"; } >"$out"
}

# marked: the window differs from its look at start (a shot in mark.png).
marked() {
  import -window "$window" "$work/mark.png"
  [ "$(compare -metric AE "$work/start.png" "$work/mark.png" null: 2>&1)" != 0 ]
}

# Every image button's name in tab order, the eye and the maker's logo after the cameras.
button_names=(Minimise Close "${cameras[@]#* * * }" Credits "Kestrel Lane Software")
printf '%s\n' "${button_names[@]}" >"$work/button_names"
# focused_names: the names of the image buttons that took the focus, as the screen reader heard them.
focused_names() { grep -Fx -f "$work/button_names" "$work/focus.log" || true; }

# The screen reader listens before the launcher starts. It ends by itself when this test does.
/usr/bin/python3 "$(dirname "$0")/accessibility_tree.py" --focus >"$work/focus.log" 2>"$work/listener.err" &
wait_for 20 grep -qx listening "$work/focus.log" || fail "the screen-reader client is not listening"
start_launcher
xdotool mousemove 1015 760 # off the face: no hover picture in the shots
import -window "$window" "$work/start.png"

tabs=13 # Combo1 to PictureButton3: ten lists, check boxes and push buttons, then minimise and close
for camera in "${cameras[@]}"; do
  read -r button x y name <<<"$camera"
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
  camera_run "$work/keyed" keys space
  camera_run "$work/clicked" click_at "$x" "$y"
  diff "$work/clicked" "$work/keyed" || fail "Space on the focused $button ran another row than its click"
  pass "Tab reaches $button ($name) and Space runs its row"
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

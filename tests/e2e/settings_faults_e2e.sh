# The real launcher with a settings file it cannot use: cut short at start-up, then
# unwritable for a camera run, which goes on, and for the exit button in a new run, which tells
# it before it ends. Each is told in one message box. What the store makes of the cut file, that
# it tells a failed save once in a run, and that the last good file stays alone, are the options test's.
source "$(dirname "$0")/lib.sh" "$1" "$2"

boxes() { xdotool search --onlyvisible --name '^Tavorin$' 2>/dev/null || true; }
box_shown() { [ -n "$(boxes)" ]; }
box_closed() { ! boxes | grep -qx "$1"; }
close_launcher() { wmctrl -i -c "$window" && wait_for_exit; }

# Answers message boxes until none comes for two seconds; prints how many there were.
answer_boxes() {
  local answered=0 box
  while wait_for 2 box_shown; do
    box=$(boxes | head -n1)
    wmctrl -i -c "$box" # a box with one button takes a close request as its answer
    wait_for 5 box_closed "$box" || fail "a message box did not close"
    answered=$((answered + 1))
  done
  echo "$answered"
}

# Cut short: "label7.caption=5" may be the start of "52".
mkdir -p "$(dirname "$settings")"
printf '[Options]\ncheck1.value=1\nlabel7.caption=5' >"$settings"
run_launcher
wait_for 20 box_shown || fail "no message about the unreadable settings file"
expect_eq "message boxes at start-up" 1 "$(answer_boxes)"
find_window
close_launcher
if ! chattr +i "$settings" 2>/dev/null; then
  echo "skipped: chattr +i is not available on this file system"
  exit 0
fi
eval "$(trap -p EXIT | sed 's/status=\$?;/status=$?; chattr -i "$settings" 2>\/dev\/null;/')"

start_launcher
xdotool key --window "$window" --delay 80 Tab Tab Down # Combo3: a change worth saving
click_at 118 382                                       # PictureButton10: saves first
expect_eq "message boxes of the camera run" 1 "$(answer_boxes)"
wait_for 10 grep -q TVR2005 "$game/launches.log" || fail "the camera run did not go on after the failed save"
pass "the camera run went on"
close_launcher

start_launcher
click_at 412 14 # PictureButton2: exit
expect_eq "message boxes of the exit button in a new run" 1 "$(answer_boxes)"
wait_for_exit

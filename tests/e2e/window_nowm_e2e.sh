# Without a window manager: the window still follows a left drag, and the
# termination signals of a log-off save the options like a close.
source "$(dirname "$0")/lib.sh" "$1" "$2"

start_launcher
read -r x0 y0 < <(window_position)
xdotool mousemove --window "$window" 10 230 mousedown 1 sleep 0.2 \
  mousemove_relative 15 5 sleep 0.1 mousemove_relative 15 5 sleep 0.2 mouseup 1
sleep 0.3
read -r x1 y1 < <(window_position)
expect_eq "a left press drags the window" "$((x0 + 30)) $((y0 + 10))" "$x1 $y1"

for signal in TERM HUP; do
  rm -f "$settings"
  [ -n "$launcher_pid" ] || start_launcher
  kill -s "$signal" "$launcher_pid"
  wait_for_exit
  expect_eq "keys saved on SIG$signal" 15 "$(stored_keys)"
done

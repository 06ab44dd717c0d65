# The real window under a window manager: its face and pictures, a drag by the surface, the
# focus mark that Tab brings to a camera button, and the exit button, which saves once and ends
# without the close handlers' saves; then the termination signals of a log-off, which save the
# options like a close. Other buttons are turned away before the window manager is asked for a
# move, and without one the window follows the drag itself: the window test's presses check both.
source "$(dirname "$0")/lib.sh" "$1" "$2"
pictures="$source_dir/src/ui/pictures"

start_launcher
xdotool mousemove 1015 760   # keep the pointer off every button: idle pictures only
sleep 0.3
shot="$work/window.png"
import -window "$window" "$shot"
mkdir -p "$source_dir/build" && cp "$shot" "$source_dir/build/window-e2e.png"
expect_eq "window size" "430x449" "$(identify -format '%wx%h' "$shot")"

differing_pixels() { # differing_pixels <picture> <x> <y>: pixels of the shot that differ from the picture there
  local size; size=$(identify -format '%wx%h' "$1")
  convert "$shot" -crop "${size}+$2+$3" +repage "$work/crop.png"
  compare -metric AE "$work/crop.png" "$1" null: 2>&1 || true
}
while read -r picture x y; do
  expect_eq "$picture at $x,$y" 0 "$(differing_pixels "$pictures/$picture" "$x" "$y")"
done <<PLACES
minimise_idle.gif 376 0
close_idle.gif 400 0
camera01_idle.bmp 24 312
camera06_idle.bmp 344 312
camera07_idle.bmp 24 360
camera10_idle.bmp 344 360
camera11_idle.bmp 216 360
camera12_idle.bmp 280 360
eye_idle.gif 168 32
maker_idle.gif 264 32
PLACES

read -r x0 y0 < <(window_position)
xdotool mousemove --window "$window" 10 230 mousedown 1 sleep 0.3 \
  mousemove_relative 20 10 sleep 0.1 mousemove_relative 20 10 sleep 0.1 mousemove_relative 20 10 sleep 0.3 mouseup 1
sleep 0.5
read -r x2 y2 < <(window_position)
expect_eq "a left press drags the window" "$((x0 + 60)) $((y0 + 30))" "$x2 $y2"

# From Combo1, where the focus starts, to PictureButton3 in the window's tab order; the lists passed
# on the face look as before once the focus has left them.
xdotool key --window "$window" --delay 80 $(printf 'Tab %.0s' $(seq 13))
sleep 0.3
import -window "$window" "$work/mark.png"
read -r w h left top < <(convert "$shot" "$work/mark.png" -compose difference -composite \
  -trim -format '%w %h %X %Y\n' info: | tr -d +)
[ "$w" -gt 1 ] && [ "$left" -ge 24 ] && [ "$top" -ge 312 ] && [ $((left + w)) -le 84 ] && [ $((top + h)) -le 357 ] ||
  fail "no focus mark on PictureButton3 alone: the window changed ${w}x${h} at $left,$top"
pass "the focus mark lies on PictureButton3 alone"

trace_saves
click_at 412 14 # PictureButton2: exit
wait_for_exit 0
wait "$tracer_pid" || true
expect_eq "saves by the exit button" 1 "$(saves)"
expect_eq "keys saved by the exit button" 15 "$(stored_keys)"

for signal in TERM HUP; do
  rm -f "$settings"
  start_launcher
  kill -s "$signal" "$launcher_pid"
  wait_for_exit
  expect_eq "keys saved on SIG$signal" 15 "$(stored_keys)"
done

# The real launcher on a real Wayland compositor: Debian's sway, drawing its one output into a
# window of the private Xvfb (its X11 backend), so that xdotool's pointer and keys reach sway as
# a real mouse and keyboard would. sway refuses to run as root, so it and every client run as
# the user nobody, on a scratch copy of the game folder that this user owns.
# Usage: wayland_e2e.sh <launcher> <source dir>
source "$(dirname "$0")/../e2e/lib.sh" "$@"
shots="$(dirname "$binary")/wayland-shots"
mkdir -p "$shots"
pictures="$source_dir/src/ui/pictures"

chmod 755 "$work"
mkdir -p "$work/run" "$work/home" "$XDG_CONFIG_HOME"
printf '%s\n' "default_border none" "xwayland disable" >"$work/sway.conf"

sway_pid=""
trap 'status=$?; for pid in "$launcher_pid" "$sway_pid"; do [ -n "$pid" ] && kill "$pid" 2>/dev/null; done
  wait 2>/dev/null; [ $status = 0 ] && rm -rf "$work" || echo "kept $work"; exit $status' EXIT
trap 'exit 143' HUP INT TERM # a killed suite still ends sway and its clients

# exec_nobody <command>: becomes the command, run as nobody with a clean environment.
exec_nobody() {
  exec setpriv --reuid=65534 --regid=65534 --clear-groups env -i PATH=/usr/bin:/bin HOME="$work/home" \
    XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$XDG_CONFIG_HOME" TAVORIN_DEMO_QUIET=1 \
    ${WAYLAND_DISPLAY:+WAYLAND_DISPLAY=$WAYLAND_DISPLAY} ${SWAYSOCK:+SWAYSOCK=$SWAYSOCK} "$@"
}
as_nobody() { (exec_nobody "$@"); }

# toplevel <title>: "x y width height app_id" of the window with this title, if it is mapped
toplevel() {
  as_nobody swaymsg -t get_tree | jq -r --arg name "$1" 'first(.. | select(.pid? != null and .name == $name))
    | [.rect.x, .rect.y, .rect.width, .rect.height, .app_id] | join(" ")'
}
has_toplevel() { [ -n "$(toplevel "$1")" ]; }

window_origin() { toplevel "Tavorin 2005" | cut -d' ' -f1,2; }

# sway's output lies at 0,0 of the X screen, so a pixel of its layout is the same pixel there.
at_face() { xdotool mousemove $((wx + $1)) $((wy + $2)); } # a move to window-relative pixels
# Camera 1 (PictureButton3) lies at 24,312; the pointer rests in its lower right corner, clear of
# the part that shows compares. Arriving from elsewhere, the compositor sends the enter without a
# motion, and a button wakes on a motion: two steps, as a real pointer makes. Qt drops a first
# motion that ends where the last one before the leave did, so each visit ends on another pixel.
visits=0
onto_camera1() {
  local x=$((78 + visits % 5)) y=$((352 + visits % 4))
  visits=$((visits + 1))
  at_face $((x - 1)) $((y - 1)) && at_face "$x" "$y"
}

shot_face() { as_nobody grim -g "$wx,$wy ${ww}x${wh}" - >"$1"; }
# shows <picture> <x> <y>: the button at x,y of the face shows this picture (its top left
# 50 x 36 pixels at most: the pointer rests further in).
shows() {
  local w h
  read -r w h < <(identify -format '%w %h' "$pictures/$1")
  w=$((w < 50 ? w : 50)) h=$((h < 36 ? h : 36))
  as_nobody grim -g "$((wx + $2)),$((wy + $3)) ${w}x${h}" - >"$work/now.png"
  convert "$pictures/$1" -crop "${w}x${h}+0+0" +repage "$work/expected.png"
  [ "$(compare -metric AE "$work/now.png" "$work/expected.png" null: 2>&1)" = 0 ]
}
expect_shows() { # expect_shows <what> <picture> <x> <y> [screenshot name]
  wait_for 5 shows "$2" "$3" "$4" || fail "$1: the button at $3,$4 does not show $2"
  [ -z "${5:-}" ] || shot_face "$shots/$5"
  pass "$1"
}
hover_camera1() { onto_camera1 && expect_shows "$1" camera01_hover.bmp 24 312 "${2:-}"; } # <what> [shot]
leave_camera1() { xdotool mousemove 100 100 && expect_shows "$1" camera01_idle.bmp 24 312 "${2:-}"; }
click_face() { at_face "$1" "$2" && xdotool click 1; } # click_face <x> <y>

rm "$game/camera8.efx"
# Under another file name: the ids a dock matches the window by must not follow it.
mv "$game/Tavorin" "$game/game-launcher"
chown -R 65534:65534 "$work/run" "$work/home" "$XDG_CONFIG_HOME" "$game"
chmod 700 "$work/run"
(exec_nobody DISPLAY="$DISPLAY" WLR_BACKENDS=x11 WLR_RENDERER=pixman sway -c "$work/sway.conf" \
  >"$work/sway.log" 2>&1) &
sway_pid=$!
sway_socket() { compgen -G "$work/run/sway-ipc.*.sock" >/dev/null; }
wait_for 10 sway_socket || fail "sway did not start: $(tail -n3 "$work/sway.log")"
SWAYSOCK=$(compgen -G "$work/run/sway-ipc.*.sock")
WAYLAND_DISPLAY=$(basename "$(compgen -G "$work/run/wayland-*" | grep -v lock | head -n1)")
wait_for 10 as_nobody swaymsg -t get_version >/dev/null 2>&1 || fail "sway does not answer"
xdotool mousemove 100 100 # on the desktop, where no window will open

# The client's side of the protocol goes to launcher.log, to see what it asks of the compositor.
(cd "$work" && exec_nobody QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client "$game/game-launcher" \
  2>"$work/launcher.log") &
launcher_pid=$!
wait_for 20 has_toplevel "Tavorin 2005" || fail "the launcher window did not appear on sway"
read -r wx wy ww wh app_id < <(toplevel "Tavorin 2005")
expect_eq "Wayland app_id" "Tavorin" "$app_id"
# Nothing moves on the face once it is painted: two shots alike. A pointer that comes before
# then is lost to the launcher.
painted() {
  shot_face "$work/a.png" && sleep 0.2 && shot_face "$work/b.png" && cmp -s "$work/a.png" "$work/b.png"
}
wait_for 10 painted || fail "the face does not settle"
hover_camera1 "hover picture" wayland-hover.png
leave_camera1 "idle again after leaving to the desktop" wayland-left-to-desktop.png

# Qt cannot place a window on Wayland: only the compositor's own move (startSystemMove) moves it.
# The move begins once the launcher has answered the press, so the pointer creeps until the
# window follows, and from there a drag of 60,30 must move the window by exactly that.
read -r x0 y0 < <(window_origin)
at_face 10 230 && xdotool mousedown 3 && at_face 30 240 && at_face 50 250 && xdotool mouseup 3
expect_eq "a right drag does not move the window" "$x0 $y0" "$(window_origin)"
at_face 10 230 && xdotool mousedown 1
x=10
while [ "$(window_origin)" = "$x0 $y0" ]; do
  [ "$x" -lt 40 ] || fail "a left press on the face did not start a move"
  x=$((x + 1))
  at_face "$x" 230
  sleep 0.1
done
read -r x1 y1 < <(window_origin)
at_face $((x + 20)) 240 && at_face $((x + 40)) 250 && at_face $((x + 60)) 260 && xdotool mouseup 1
moved() { [ "$(window_origin)" = "$((x1 + 60)) $((y1 + 30))" ]; }
wait_for 5 moved || fail "a left drag did not move the window with the pointer: $(window_origin)"
pass "a left drag moves the window with the pointer"
read -r wx wy _ < <(window_origin)
hover_camera1 "hover picture right after a drag, without a click"
leave_camera1 "idle again"

# sway has no minimised state: it drops the request, and the window stays where it was.
click_face 388 14
asked_to_minimise() { grep -q 'xdg_toplevel@[0-9]*\.set_minimized()' "$work/launcher.log"; }
wait_for 5 asked_to_minimise || fail "the minimise button did not ask the compositor to minimise"
pass "the minimise button asks the compositor to minimise"
hover_camera1 "the face still answers after minimise"
expect_shows "the minimise button is idle again" minimise_idle.gif 376 0

click_face 118 382 # PictureButton10: camera8, whose script is gone
xdotool mousemove 100 100
# Its title is the application's name, not the file's.
wait_for 10 has_toplevel Tavorin || fail "no message box about the missing camera script"
as_nobody grim - >"$shots/wayland-message-box.png"
pass "the missing camera script is told in a message box"
xdotool key Return
wait_for_exit 1

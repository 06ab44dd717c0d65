# The real launcher on a real Wayland compositor: Debian's sway, headless, with a virtual
# pointer of our own (tavorin-pointer) and wtype's virtual keyboard, since the headless seat
# has no devices. sway refuses to run as root, so it and every client run as the user nobody,
# on a scratch copy of the game folder that this user owns. Runs under with-xvfb.sh: the face
# scenario compares the Wayland window with the same build's X11 window.
# Usage: wayland_e2e.sh <face|pointer|keyboard> <launcher> <source dir> <pointer tool> <neighbour tool>
scenario=$1
source "$(dirname "$0")/../e2e/lib.sh" "$2" "$3"
pointer_tool=$4
neighbour_tool=$5
shots="$(dirname "$binary")/wayland-shots"
mkdir -p "$shots"
pictures="$source_dir/src/ui/pictures"

chmod 755 "$work"
mkdir -p "$work/run" "$work/home" "$XDG_CONFIG_HOME"
cp "$pointer_tool" "$neighbour_tool" "$work/"
cat >"$work/sway.conf" <<'CONFIG'
output HEADLESS-1 resolution 1280x1024 position 0 0
default_border none
xwayland disable
CONFIG

sway_pid="" pointer_pid="" neighbour_pid="" tracer_pid=""
stop_all() {
  local pid
  for pid in "$launcher_pid" "$tracer_pid" "$neighbour_pid" "$pointer_pid" "$sway_pid"; do
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
  done
  wait 2>/dev/null || true
}
trap 'status=$?; stop_all; [ $status = 0 ] && rm -rf "$work" || echo "kept $work"; exit $status' EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM # a killed suite still ends sway and its clients

# exec_nobody <command>: becomes the command, run as nobody with a clean environment.
exec_nobody() {
  exec setpriv --reuid=65534 --regid=65534 --clear-groups env -i PATH=/usr/bin:/bin HOME="$work/home" \
    XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$XDG_CONFIG_HOME" TAVORIN_DEMO_QUIET=1 \
    ${WAYLAND_DISPLAY:+WAYLAND_DISPLAY=$WAYLAND_DISPLAY} ${SWAYSOCK:+SWAYSOCK=$SWAYSOCK} "$@"
}
as_nobody() { (exec_nobody "$@"); }

start_sway() {
  chown -R 65534:65534 "$work/run" "$work/home" "$XDG_CONFIG_HOME" "$game"
  chmod 700 "$work/run"
  (WAYLAND_DISPLAY="" SWAYSOCK="" exec_nobody WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    sway -c "$work/sway.conf" >"$work/sway.log" 2>&1) &
  sway_pid=$!
  sway_socket() { compgen -G "$work/run/sway-ipc.*.sock" >/dev/null; }
  wait_for 10 sway_socket || fail "sway did not start: $(tail -n3 "$work/sway.log")"
  SWAYSOCK=$(compgen -G "$work/run/sway-ipc.*.sock")
  WAYLAND_DISPLAY=$(basename "$(compgen -G "$work/run/wayland-*" | grep -v lock | head -n1)")
  wait_for 10 as_nobody swaymsg -t get_version >/dev/null 2>&1 || fail "sway does not answer"
}

tree() { as_nobody swaymsg -t get_tree | /usr/bin/python3 "$(dirname "$0")/tree.py" "$@"; }
# toplevel <title>: "x y width height app_id" of the window with this title, if it is mapped
toplevel() { tree window "$1"; }
has_toplevel() { [ -n "$(toplevel "$1")" ]; }

# run_wayland_launcher [file name of the launcher in the game folder [environment...]]
run_wayland_launcher() {
  local name=${1:-Tavorin}
  shift $(($# > 0))
  (cd "$work" && exec_nobody QT_QPA_PLATFORM=wayland "$@" "$game/$name" 2>"$work/launcher.log") &
  launcher_pid=$!
  wait_for 20 has_toplevel "Tavorin 2005" || fail "the launcher window did not appear on sway"
  read -r wx wy ww wh app_id < <(toplevel "Tavorin 2005")
}
window_origin() { toplevel "Tavorin 2005" | cut -d' ' -f1,2; }

# The pointer tool runs for the whole scenario, so the seat keeps one pointer device.
start_pointer() {
  coproc POINTER { exec_nobody "$work/$(basename "$pointer_tool")" 1280 1024 2>"$work/pointer.log"; }
  pointer_pid=$POINTER_PID
}
point() { # point <command>...: each command is played before the next is sent
  local command reply
  for command in "$@"; do
    echo "$command" >&"${POINTER[1]}"
    read -r reply <&"${POINTER[0]}" || fail "the pointer tool stopped at \"$command\": $(cat "$work/pointer.log")"
  done
}
at_face() { echo "move $((wx + $1)) $((wy + $2))"; } # a move to window-relative pixels
# Camera 1 (PictureButton3) lies at 24,312; the pointer rests in its lower right corner, clear of
# the part that shows compares. Arriving from elsewhere, the compositor sends the enter without a
# motion, and a button wakes on a motion: two steps, as a real pointer makes. Qt drops a first
# motion that ends where the last one before the leave did, so each visit ends on another pixel.
visits=0
onto_camera1() {
  local x=$((78 + visits % 5)) y=$((352 + visits % 4))
  visits=$((visits + 1))
  point "$(at_face $((x - 1)) $((y - 1)))" "$(at_face "$x" "$y")"
}
# A client learns of a new pointer device some time after it is made, and moves before that are
# lost to it: nudge the pointer on camera 1 until the launcher answers with the hover picture.
pointer_reaches_launcher() {
  nudged() { onto_camera1 && shows camera01_hover.bmp 24 312; }
  wait_for 10 nudged || fail "the launcher never saw the virtual pointer"
  leave_camera1 "the launcher sees the virtual pointer"
}

shot_region() { as_nobody grim -g "$2,$3 ${4}x${5}" - >"$1"; } # shot_region <file> <x> <y> <w> <h>
shot_face() { shot_region "$1" "$wx" "$wy" "$ww" "$wh"; }
shot_screen() { as_nobody grim - >"$1"; }
# shows <picture> <x> <y>: the button at x,y of the face shows this picture. At most its top left
# 50 x 36 pixels count: the cursor rests further in, and the compositor draws it into the screen.
shows() {
  local w h
  read -r w h < <(identify -format '%w %h' "$pictures/$1")
  w=$((w < 50 ? w : 50)) h=$((h < 36 ? h : 36))
  shot_region "$work/now.png" "$((wx + $2))" "$((wy + $3))" "$w" "$h"
  convert "$pictures/$1" -crop "${w}x${h}+0+0" +repage "$work/expected.png"
  [ "$(compare -metric AE "$work/now.png" "$work/expected.png" null: 2>&1)" = 0 ]
}
expect_shows() { # expect_shows <what> <picture> <x> <y> [screenshot name]
  wait_for 5 shows "$2" "$3" "$4" || fail "$1: the button at $3,$4 does not show $2"
  [ -z "${5:-}" ] || shot_face "$shots/$5"
  pass "$1"
}
hover_camera1() { onto_camera1 && expect_shows "$1" camera01_hover.bmp 24 312 "${2:-}"; } # <what> [shot]
leave_camera1() { point "move 100 100" && expect_shows "$1" camera01_idle.bmp 24 312 "${2:-}"; }
click_face() { point "$(at_face "$1" "$2")" "press left" "release left"; } # click_face <x> <y>

face_scenario() {
  # The same build under X11 first, copied under another name: the ids must not follow the file name.
  cp "$game/Tavorin" "$game/game-launcher"
  (cd "$work" && exec "$game/game-launcher") &
  launcher_pid=$!
  find_window
  xdotool mousemove 1015 760
  sleep 0.3
  import -window "$window" "$shots/x11-face.png"
  expect_eq "X11 WM_CLASS" 'WM_CLASS(STRING) = "game-launcher", "Tavorin"' "$(xprop -id "$window" WM_CLASS)"
  click_at 412 14
  wait_for_exit

  start_sway
  run_wayland_launcher game-launcher
  expect_eq "Wayland app_id" "Tavorin" "$app_id"
  expect_eq "window size on sway" "430x449" "${ww}x${wh}"
  # Nothing moves on the face once it is painted: wait for two shots alike, then compare.
  painted() { shot_face "$work/a.png" && sleep 0.2 && shot_face "$work/b.png" && cmp -s "$work/a.png" "$work/b.png"; }
  wait_for 10 painted || fail "the face does not settle"
  cp "$work/b.png" "$shots/wayland-face.png"
  expect_eq "pixels that differ from the X11 face" 0 \
    "$(compare -metric AE "$shots/wayland-face.png" "$shots/x11-face.png" null: 2>&1 || true)"
}

# The launcher's file system calls from here to its end, to count its saves: each lands a whole
# new settings file, linked in from a nameless file or renamed over the old one.
trace_saves() {
  strace -f -o "$work/saves.log" -e trace=rename,linkat -p "$launcher_pid" 2>"$work/strace.err" &
  tracer_pid=$!
  wait_for 10 grep -q attached "$work/strace.err" || fail "strace cannot watch the launcher: $(cat "$work/strace.err")"
}
saves() { grep -cE 'Tavorin\.ini"(, AT_SYMLINK_FOLLOW)?\) = 0$' "$work/saves.log" || true; }

pointer_scenario() {
  start_sway
  # The client's side of the protocol goes to launcher.log, to see what it asks of the compositor.
  run_wayland_launcher Tavorin WAYLAND_DEBUG=client
  trace_saves
  start_pointer
  pointer_reaches_launcher
  hover_camera1 "hover picture" wayland-hover.png
  leave_camera1 "idle again after leaving to the desktop" wayland-left-to-desktop.png
  onto_camera1
  point "press left"
  expect_shows "pressed picture" camera01_down.bmp 24 312 wayland-pressed.png
  point "move 100 100" "release left"
  expect_shows "idle after a press taken off the button" camera01_idle.bmp 24 312
  [ ! -e "$game/launches.log" ] || fail "a press released off the button ran its camera"

  read -r x0 y0 < <(window_origin)
  point "$(at_face 10 230)" "press right" "$(at_face 30 240)" "$(at_face 50 250)" "release right"
  expect_eq "a right drag does not move the window" "$x0 $y0" "$(window_origin)"
  # Qt cannot place a window on Wayland: only the compositor's own move (startSystemMove) moves it.
  # The move begins once the launcher has answered the press, so the pointer creeps until the
  # window follows, and from there a drag of 60,30 must move the window by exactly that.
  point "$(at_face 10 230)" "press left"
  local x=10
  while [ "$(window_origin)" = "$x0 $y0" ]; do
    [ "$x" -lt 40 ] || fail "a left press on the face did not start a move"
    x=$((x + 1))
    point "$(at_face "$x" 230)"
    sleep 0.1
  done
  read -r x1 y1 < <(window_origin)
  point "$(at_face $((x + 20)) 240)" "$(at_face $((x + 40)) 250)" "$(at_face $((x + 60)) 260)" "release left"
  expect_eq "a left drag moves the window with the pointer" "$((x1 + 60)) $((y1 + 30))" "$(window_origin)"
  read -r wx wy _ < <(window_origin)
  hover_camera1 "hover picture right after a drag, without a click"
  leave_camera1 "idle again"

  (exec_nobody QT_QPA_PLATFORM=wayland "$work/$(basename "$neighbour_tool")") &
  neighbour_pid=$!
  wait_for 20 has_toplevel neighbour || fail "the other window did not appear"
  hover_camera1 "hover picture over the other window"
  leave_camera1 "idle again after leaving onto another window"
  expect_eq "the pointer is on the other window" "neighbour" "$(tree at 100 100)"
  shot_screen "$shots/wayland-left-to-window.png"

  # sway has no minimised state: it drops the request, and the window stays where it was.
  click_face 388 14
  asked_to_minimise() { grep -q 'xdg_toplevel@[0-9]*\.set_minimized()' "$work/launcher.log"; }
  wait_for 5 asked_to_minimise || fail "the minimise button did not ask the compositor to minimise"
  pass "the minimise button asks the compositor to minimise"
  hover_camera1 "the face still answers after minimise"
  expect_shows "the minimise button is idle again" minimise_idle.gif 376 0
  has_toplevel "Tavorin 2005" || fail "the window left the screen"
  pass "minimise leaves the window on sway"

  click_face 412 14
  wait_for_exit_code 0
  wait "$tracer_pid" || true
  tracer_pid=""
  expect_eq "keys saved by the exit button" 15 "$(stored_keys)"
  expect_eq "saves of the settings in the whole run: the exit button's one" 1 "$(saves)"
}

keyboard_scenario() {
  start_sway
  run_wayland_launcher
  first_team=$(head -n1 "$game/teams.ini" | tr -d '\r' | sed 's/.*,[[:space:]]*//')
  # Combo3: the first team; Combo5: the first resolution; Check1: windowed; Command2: Play.
  as_nobody wtype -s 400 -k Tab -k Tab -k Down -k Tab -k Tab -k Down -k Tab -k space -k Tab -k Tab -k Return
  wait_for 10 grep -q fifa2005 "$game/launches.log" || fail "Play did not start the game"
  expected=$(printf '%s\n' "== fifa2005.exe" -skip_fe=1 windowed=1 "home_team=$first_team" HOME_TEAM_KIT= \
    AWAY_TEAM_KIT= away_team= STADIUM_MODEL= resolution=640x480x16 audio= "in $game")
  expect_eq "the game's words from Play" "$expected" "$(cat "$game/launches.log")"
  kill "$launcher_pid"
  wait_for_exit

  rm "$game/camera8.efx"
  run_wayland_launcher
  start_pointer
  pointer_reaches_launcher
  click_face 118 382 # PictureButton10: camera8
  point "move 100 100"
  wait_for 10 has_toplevel Tavorin || fail "no message box about the missing camera script"
  shot_screen "$shots/wayland-message-box.png"
  pass "the missing camera script is told in a message box"
  as_nobody wtype -s 400 -k Return
  wait_for_exit_code 1
}

wait_for_exit_code() {
  wait_for 10 launcher_gone || fail "the launcher did not end"
  local status=0
  wait "$launcher_pid" || status=$?
  launcher_pid=""
  expect_eq "exit code" "$1" "$status"
}

"${scenario}_scenario"

# Play with no game in the folder: one message box names the game, and once the user
# dismisses it the launcher ends with exit code 1. The box's words are read from the
# accessibility bus, as a screen reader reads them.
[ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || exec dbus-run-session -- bash "$0" "$@"
source "$(dirname "$0")/lib.sh" "$1" "$2"
/usr/libexec/at-spi-bus-launcher --launch-immediately &
bus_pid=$!
eval "$(trap -p EXIT | sed "s/status=\$?;/status=\$?; kill $bus_pid 2>\/dev\/null;/")"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

# The texts of the first alert the launcher shows, one a line; nothing if none comes in 10 s.
alert_texts() {
  /usr/bin/python3 - <<'PY'
import time, pyatspi
def texts(node):
    found = [node.name] if node.getRoleName() == "label" and node.name else []
    return found + [text for child in node for text in texts(child)]
for _ in range(50):
    for app in pyatspi.Registry.getDesktop(0):
        alerts = [w for w in (app or []) if w.getRoleName() == "alert"] if app and app.name == "Tavorin" else []
        if alerts:
            print("\n".join(texts(alerts[0])))
            raise SystemExit
    time.sleep(0.2)
PY
}

rm "$game/fifa2005.exe"
start_launcher
xdotool key --window "$window" --delay 80 Tab Tab Tab Tab Tab Tab Tab space # from Combo1 to Command2: Play
message=$(alert_texts)
case "$message" in
  *fifa2005.exe*) pass "the message names the game: $message" ;;
  *) fail "no message box naming fifa2005.exe, got [$message]" ;;
esac
launcher_gone && fail "the launcher ended before the message was dismissed"
xdotool key Return
wait_for 10 launcher_gone || fail "the launcher did not end after the message"
code=0
wait "$launcher_pid" || code=$?
launcher_pid=""
expect_eq "exit code" 1 "$code"
[ ! -e "$game/launches.log" ] || fail "something was started"

# Play with no game in the folder: one message box names the game, and once the user
# dismisses it the launcher ends with exit code 1. The box's words are read from the
# accessibility bus, as a screen reader reads them.
reads_accessibility=1
source "$(dirname "$0")/lib.sh" "$1" "$2"

rm "$game/fifa2005.exe"
start_launcher
xdotool key --window "$window" --delay 80 Tab Tab Tab Tab Tab Tab Tab space # from Combo1 to Command2: Play
message=$(/usr/bin/python3 "$(dirname "$0")/accessibility_tree.py" --alert)
[[ $message == *fifa2005.exe* ]] || fail "no message box naming fifa2005.exe, got [$message]"
pass "the message names the game: $message"
launcher_gone && fail "the launcher ended before the message was dismissed"
xdotool key Return
wait_for 10 launcher_gone || fail "the launcher did not end after the message"
code=0
wait "$launcher_pid" || code=$?
launcher_pid=""
expect_eq "exit code" 1 "$code"
[ ! -e "$game/launches.log" ] || fail "something was started"

# What a screen reader finds: a real AT-SPI client (pyatspi) reads the launcher's
# window on a private session bus with the accessibility bus running, checks every
# role, name and description, and presses Close through its action.
reads_accessibility=1
source "$(dirname "$0")/lib.sh" "$1" "$2"

seed_settings check1.value=1 check2.value=1 combo2.text=Highbury "combo3.text=Harbour Rovers" \
  "combo4.text=Kestrel Town" combo5.text=1024x768x32 combo6.text=Home combo7.text=Away label7.caption=21 \
  label8.caption=5 label9.caption=18 label10.caption=windowed=1 label11.caption=0 label14.caption=1 \
  label15.caption=1
start_launcher
# The system's Python: another python3 first on PATH may lack the AT-SPI bindings.
/usr/bin/python3 "$(dirname "$0")/accessibility_tree.py" || fail "the accessible tree"
wait_for_exit
expect_eq "keys saved by Close, pressed through its action" 15 "$(stored_keys)"

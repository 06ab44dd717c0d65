"""Reads the launcher's window the way a screen reader does, over AT-SPI.

Checks the role, name and description of every control, then presses "Close" through its
action. Expects the settings the test seeded: Harbour Rovers (21) in Home kit (0) at
1024x768x32, windowed, audio on.
"""
from collections import Counter
import sys
import time

import pyatspi

CAMERA = "Saves the settings and plays the camera scene of this view"
WEB = "https://kestrel-lane.example/"
CAMERA_VIEWS = [f"front, {view}" for view in ("head and shoulders", "chest close-up", "whole player from afar",
                                              "whole player, nearer and from low", "from the knees up",
                                              "face close-up", "waist and shorts", "legs and boots")] + [
    f"back, {view}" for view in ("whole player from afar", "shirt with name and number",
                                 "upper back with the number, close", "shorts and legs")]

# Every child of the window: role, name, description. A value label's name is its value.
EXPECTED = [
    ("combo box", "Stadium (not used)",
     "A second list of the stadiums; the match takes its stadium from the Stadium list"),
    ("combo box", "Stadium", "The stadium of the match started by Play"),
    ("combo box", "Home team", "The home team of the match and of the camera scenes"),
    ("combo box", "Away team", "The away team of the match started by Play"),
    ("combo box", "Resolution", "The screen resolution of the game and of the camera scenes"),
    ("combo box", "Home kit", "The kit the home team wears"),
    ("combo box", "Away kit", "The kit the away team wears"),
    ("check box", "Windowed", "Plays the match in a window instead of the full screen"),
    ("check box", "Audio", "Plays the match with sound"),
    ("push button", "Save settings", "Saves every choice now"),
    ("push button", "Play", "Starts the game straight into the match"),
    ("push button", "Minimise", "Minimises the window"),
    ("push button", "Close", "Saves the settings and closes Tavorin"),
    *(("push button", view, CAMERA) for view in CAMERA_VIEWS),
    ("push button", "Credits", "Shows who made Tavorin"),
    ("push button", "Kestrel Lane Software", "Opens the maker's web site, " + WEB),
    ("link", "www.kestrel-lane.example", "Opens the web site of Kestrel Lane Software, " + WEB),
    ("image", "Home team logo", "The crest of the home team"),
    ("image", "Away team logo", "The crest of the away team"),
    *(("label", value, what) for value, what in (
        ("21", "Home team number"), ("5", "Away team number"), ("18", "Stadium number"),
        ("windowed=1", "Windowed switch"), ("0", "Home kit number"), ("1", "Away kit number"),
        ("1", "Audio switch"), ("", ""), ("Stadium ID:", ""))),
]
# The text field of each editable list holds its value.
EXPECTED_TEXTS = {"Stadium": "Highbury", "Home team": "Harbour Rovers", "Away team": "Kestrel Town",
                  "Resolution": "1024x768x32", "Home kit": "Home", "Away kit": "Away"}

failures = []


def check(what, expected, actual):
    if expected == actual:
        print(f"ok: {what}")
    else:
        failures.append(what)
        print(f"FAIL: {what}: expected {expected!r}, got {actual!r}", file=sys.stderr)


def wait_for(what, find, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = find()
        if found is not None:
            return found
        time.sleep(0.2)
    sys.exit(f"FAIL: {what} did not appear over AT-SPI")


def child_named(parent, name):
    return next((child for child in parent if child and child.name == name), None)


def actions(accessible):
    action = accessible.queryAction()
    return [action.getName(i) for i in range(action.nActions)]


def main():
    app = wait_for("the launcher", lambda: child_named(pyatspi.Registry.getDesktop(0), "Tavorin"))
    frame = wait_for("the window", lambda: child_named(app, "Tavorin 2005"))
    check("the window's role and description", ("frame", "Pick a home team, a kit and a resolution, then a camera "
          "view to play its scene"), (frame.getRoleName(), frame.description))
    found, expected = Counter((c.getRoleName(), c.name, c.description) for c in frame), Counter(EXPECTED)
    check("controls missing, and controls not expected", ([], []),
          (sorted((expected - found).elements()), sorted((found - expected).elements())))
    controls = {child.name: child for child in reversed(list(frame))}  # the first of a name

    for name, value in EXPECTED_TEXTS.items():
        field = controls[name][1]
        check(f"the text field of {name}", ("text", value), (field.getRoleName(), field.queryText().getText(0, -1)))
    check("buttons and links without a press action", [],
          [name for role, name, _ in EXPECTED if role in ("push button", "link") and "Press" not in actions(controls[name])])

    controls["Close"].queryAction().doAction(actions(controls["Close"]).index("Press"))
    sys.exit(1 if failures else 0)


main()

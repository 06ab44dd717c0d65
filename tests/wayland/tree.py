"""Reads sway's window tree (swaymsg -t get_tree) from stdin and answers one question:
  tree.py window TITLE   "x y width height app_id" of the mapped window with this title
  tree.py at X Y         the app_id of the window on top at pixel X,Y of the layout
Prints nothing when there is no such window."""
import json
import sys


def windows(node):
    """Every window (a node with a client's pid) below node, floating ones first: they lie on top."""
    if node.get("pid") is not None:
        yield node
    for child in node.get("floating_nodes", []) + node.get("nodes", []):
        yield from windows(child)


question = sys.argv[1:]
for node in windows(json.load(sys.stdin)):
    r = node["rect"]
    if question[0] == "window" and node.get("name") == question[1]:
        print(r["x"], r["y"], r["width"], r["height"], node.get("app_id"))
        break
    if question[0] == "at" and r["x"] <= int(question[1]) < r["x"] + r["width"] \
            and r["y"] <= int(question[2]) < r["y"] + r["height"]:
        print(node.get("app_id"))
        break

"""Reads sway's window tree (swaymsg -t get_tree) from stdin and answers one question:
  tree.py window TITLE   "x y width height app_id" of the mapped window with this title
  tree.py at X Y         the app_id of the window on top at pixel X,Y of the layout
Prints nothing when there is no such window."""
import json
import sys


def windows(node, floating=False):
    """Every window (a node with a client's pid) below node, with whether it floats."""
    if node.get("pid") is not None:
        yield node, floating
    for child in node.get("nodes", []):
        yield from windows(child, floating)
    for child in node.get("floating_nodes", []):
        yield from windows(child, True)


def contains(rect, x, y):
    return rect["x"] <= x < rect["x"] + rect["width"] and rect["y"] <= y < rect["y"] + rect["height"]


def main():
    tree = json.load(sys.stdin)
    found = list(windows(tree))
    if sys.argv[1] == "window":
        for node, _ in found:
            if node.get("name") == sys.argv[2]:
                r = node["rect"]
                print(r["x"], r["y"], r["width"], r["height"], node.get("app_id"))
                return
    elif sys.argv[1] == "at":
        x, y = int(sys.argv[2]), int(sys.argv[3])
        # Floating windows lie above the tiled ones.
        for node, _ in sorted(found, key=lambda pair: not pair[1]):
            if contains(node["rect"], x, y):
                print(node.get("app_id"))
                return


main()

"""Reads sway's window tree (swaymsg -t get_tree) from stdin and prints "x y width height app_id"
of the mapped window whose title is the one argument, or nothing when there is none."""
import json
import sys


def windows(node):
    """Every window (a node with a client's pid) below node."""
    if node.get("pid") is not None:
        yield node
    for child in node.get("floating_nodes", []) + node.get("nodes", []):
        yield from windows(child)


for node in windows(json.load(sys.stdin)):
    if node.get("name") == sys.argv[1]:
        r = node["rect"]
        print(r["x"], r["y"], r["width"], r["height"], node.get("app_id"))
        break

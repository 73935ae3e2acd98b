#!/usr/bin/env python3
"""Writes the ink fuzz seeds: archived layers of freehand objects (new-class tag, class-index
tags, null elements, several strokes, the view block)."""
import os
import struct

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "ink")
NAME = b"CXeloLtFreeHand"


def freehand(strokes, kind=0, width=1, colour=0):
    pts = [p for s in strokes for p in s]
    xs = [p[0] for p in pts] or [0]
    ys = [p[1] for p in pts] or [0]
    out = struct.pack("<iiiiIii", min(xs) - 1, min(ys) - 1, max(xs) + 1, max(ys) + 1, kind, 0, 0)
    out += struct.pack("<iiIiiI", 0, width, colour, 0, -1, 0xFFFFFF)
    out += struct.pack("<i", len(strokes)) + b"".join(struct.pack("<I", len(s)) for s in strokes)
    return out + b"".join(struct.pack("<ii", x, y) for x, y in pts)


def layer(objects, current, scale=1.0):
    out = struct.pack("<H", len(objects))
    first = True
    for obj in objects:
        if obj is None:
            out += struct.pack("<H", 0)
            continue
        if first:
            out += struct.pack("<HHH", 0xFFFF, 10, len(NAME)) + NAME
            first = False
        else:
            out += struct.pack("<H", 0x8001)
        out += obj
    return out + struct.pack("<i", current) + struct.pack("<diiiiiiii", scale, 0, 0, 0, 3, 2, 0x42, 1, 0)


SEEDS = {
    "empty.ink": layer([], -1),
    "one.ink": layer([freehand([[(10, 10), (20, 30), (40, 35)]], width=3, colour=0xFF)], 0),
    "two.ink": layer([freehand([[(1, 2), (3, 4)]]), freehand([[(5, 6), (7, 8)], [(9, 9), (1, 1)]], 1)], 1),
    "null-and-tap.ink": layer([None, freehand([[(4, 4)], [(0, 0), (100, 100)]])], 5, 0.5),
}

if __name__ == "__main__":
    os.makedirs(HERE, exist_ok=True)
    for name, data in SEEDS.items():
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(data)

#!/usr/bin/env python3
"""Fails when a folder of src/ includes a folder above it, or two folders include each other.

The layers, top to bottom; a folder may include only folders below it. Files directly in src/
(main.cpp) stand above every layer.
"""
import pathlib
import re
import sys

LAYERS = [
    "app",        # application object, single instance, settings store
    "frame",      # main frame, menus, tool bars, command routing
    "prefs",      # the Options sheet and its pages
    "imageui",    # save and image-information sheets
    "views",      # thumbnail, list, filename, image and tree views, Quick View
    "command",    # command ids, the command-target interface, tool modes
    "platform",   # Linux stand-ins for the desktop: screen probe, message box
    "share",      # e-mail, contacts, local-link send
    "output",     # output and remote-control plug-in hosts
    "slideshow",  # play order, preload, composer, transitions
    "ink",        # annotation objects and their archive
    "settings",   # preferences and their blocks, command line, start options
    "album",      # document, entries, folder scan, album file, file operations
    "codec",      # streams, readers and writers, EXIF
    "image",      # raster image, pixel operations, colour reduction, error codes
    "base",       # string table, registry interface, view-mode numbers
]

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^/"]+)/[^"]+"', re.MULTILINE)


def main() -> int:
    src = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parent.parent / "src")
    rank = {name: i for i, name in enumerate(LAYERS)}
    problems = []
    edges = {}
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp") or not path.is_file():
            continue
        parts = path.relative_to(src).parts
        if len(parts) < 2:
            continue  # src/main.cpp sits above every layer
        folder = parts[0]
        shown = path.relative_to(src.parent)
        if folder not in rank:
            problems.append(f"{shown}: folder '{folder}' has no place in the layer list")
            continue
        for target in INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace")):
            if target == folder or target not in rank and not (src / target).is_dir():
                continue
            edges.setdefault((folder, target), shown)
            if target not in rank:
                problems.append(f"{shown}: includes '{target}/', which has no place in the layer list")
            elif rank[target] < rank[folder]:
                problems.append(f"{shown}: '{folder}/' includes '{target}/', which lies above it")
    for (a, b), path in sorted(edges.items()):
        if a < b and (b, a) in edges:
            problems.append(f"'{a}/' and '{b}/' include each other ({path}, {edges[(b, a)]})")
    for line in problems:
        print(line)
    if problems:
        print(f"{len(problems)} layering problem(s); the order is in {pathlib.Path(__file__).name}")
        return 1
    print(f"layers hold: {len(edges)} folder-to-folder edges, all downward")
    return 0


if __name__ == "__main__":
    sys.exit(main())

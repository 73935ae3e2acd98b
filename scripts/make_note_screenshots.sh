#!/usr/bin/env bash
# Draws the sunset photograph with ink strokes in Filmstrip (off screen), and the Text Note
# dialog over the window (on a virtual X server, where xvfb-run and xdotool exist), into docs/.
set -euo pipefail
build="${1:-build}"
root="$(cd "$(dirname "$0")/.." && pwd)"
work="$(mktemp -d /tmp/zz-xelo-notes-XXXXXX)"
trap 'rm -rf "$work"' EXIT
album="$work/Sample Album"
mkdir -p "$album" "$work/.config"
cp "$root"/samples/13-sunset.jpg "$root"/samples/01-sunset-24bit.bmp "$album/"
program="$root/$build/src/xelo_album"

# An ink file of two strokes (a circle round the sun and a line under the hills), in the ink
# archive format: the object array, the current index and the 40-byte view block.
python3 - "$album/13-sunset.jpg.ink" <<'PY'
import math, struct, sys
strokes = [
    (3, 0x0000FF, [(int(112 + 22 * math.cos(a / 20 * math.tau)),
                    int(38 + 18 * math.sin(a / 20 * math.tau))) for a in range(21)]),
    (2, 0xFFFF00, [(20 + 6 * i, 100 + (4 if i % 2 else 0)) for i in range(20)]),
]
out = struct.pack("<H", len(strokes))
for n, (width, colour, points) in enumerate(strokes):
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    if n == 0:
        name = b"CXeloLtFreeHand"
        out += struct.pack("<HHH", 0xFFFF, 10, len(name)) + name
    else:
        out += struct.pack("<H", 0x8001)
    out += struct.pack("<iiiiIii", min(xs) - 1, min(ys) - 1, max(xs) + 1, max(ys) + 1, n, 0, 0)
    out += struct.pack("<iiIiiI", 0, width, colour, 0, -1, 0xFFFFFF)
    out += struct.pack("<iI", 1, len(points))
    out += b"".join(struct.pack("<ii", x, y) for x, y in points)
out += struct.pack("<i", len(strokes) - 1)
out += struct.pack("<diiiiiiii", 1.0, 0, 0, 0, 3, 2, 0x42, 1, 0)
open(sys.argv[1], "wb").write(out)
PY
XDG_CONFIG_HOME="$work/.config" QT_QPA_PLATFORM=offscreen "$program" --screen 240x320 \
    --screenshot "$root/docs/screenshot-ink-240x320.png" -i "$album/13-sunset.jpg"

rm "$album/13-sunset.jpg.ink"
printf 'A sunset over the hills.\r\nTaken from the porch.' >"$album/13-sunset.jpg.txt"
if command -v xvfb-run >/dev/null && command -v xdotool >/dev/null; then
    XDG_CONFIG_HOME="$work/.config" xvfb-run -a -s "-screen 0 480x400x24" bash -c '
        "$0" --screen 480x400 -t "$1" & pid=$!
        sleep 3
        xdotool key End
        sleep 1
        # Annotate > Edit Text... (the items before it that are enabled: the tool, pen width
        # and ink colour).
        xdotool mousemove 115 9 click 1
        sleep 1
        xdotool key Down Down Down Down Return
        sleep 2
        import -window root "$2"
        kill $pid' "$program" "$album" "$root/docs/screenshot-text-note.png"
fi

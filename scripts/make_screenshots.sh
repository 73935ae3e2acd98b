#!/usr/bin/env bash
# Draws the three browsing modes of the sample album on the handheld's 240 × 320 screen, and
# Filmstrip and Full Screen showing the sunset photograph on that screen and on a 1280 × 800
# desktop, off screen, into docs/. The album copy gets a text note, a read-only file and a hidden slide so that
# every indicator shows (the album has its own animated GIF).
set -euo pipefail
build="${1:-build}"
root="$(cd "$(dirname "$0")/.." && pwd)"
# Last in /tmp, so that the tree under the selected folder shows few neighbours.
work="$(mktemp -d /tmp/zz-xelo-album-XXXXXX)"
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
album="$work/Sample Album"
mkdir -p "$album" "$work/.config"
cp "$root"/samples/*.bmp "$root"/samples/*.2bp "$root"/samples/*.jpg "$root"/samples/*.gif "$album/"
tool="$root/$build/tools/xelo-tool"
echo "A sunset over the hills." >"$album/01-sunset-24bit.bmp.txt"
chmod a-w "$album/02-sunset-24bit-topdown.bmp"
"$tool" album "$album" --sort name --hide 03-sunset-32bit.bmp >/dev/null
for mode in t:thumbnail l:list f:filename; do
    XDG_CONFIG_HOME="$work/.config" QT_QPA_PLATFORM=offscreen "$root/$build/src/xelo_album" \
        --screen 240x320 --screenshot "$root/docs/screenshot-${mode#*:}.png" "-${mode%%:*}" "$album"
done
for size in 240x320 1280x800; do
    for mode in i:filmstrip fs:fullscreen; do
        XDG_CONFIG_HOME="$work/.config" QT_QPA_PLATFORM=offscreen "$root/$build/src/xelo_album" \
            --screen "$size" --screenshot "$root/docs/screenshot-${mode#*:}-$size.png" \
            "-${mode%%:*}" "$album/13-sunset.jpg"
    done
done
# A slide show with its text line and a picture frame, on the handheld and on a desktop: the
# slides fit the screen, with a shadow under the text (a first run writes the preferences).
show_config="$work/.show-config"
XDG_CONFIG_HOME="$show_config" QT_QPA_PLATFORM=offscreen "$root/$build/src/xelo_album" \
    --screen 240x320 --screenshot "$work/first.png" -t "$album" >/dev/null 2>&1
python3 - "$show_config/Xelo Style/Xelo Album.ini" <<'PY'
import re, struct, sys
path = sys.argv[1]
text = open(path, encoding="utf-8").read()
match = re.search(r"^Preferences\\Values=@ByteArray\((.*)\)$", text, re.M)
raw, data, i = match.group(1), bytearray(), 0
while i < len(raw):
    if raw[i] != "\\":
        data.append(ord(raw[i])); i += 1; continue
    c = raw[i + 1]
    if c == "x":
        j = i + 2
        while j < len(raw) and raw[j] in "0123456789abcdefABCDEF": j += 1
        data.append(int(raw[i + 2:j], 16)); i = j
    else:
        data.append({"0": 0, "n": 10, "r": 13, "t": 9}.get(c, ord(c))); i += 2
view = struct.unpack_from("<I", data, 52)[0]
view = (view & ~0xE0) | (1 << 5)  # Fit in window
view |= 1 << 21 | 1 << 30         # text shadow, frames on slides
struct.pack_into("<I", data, 52, view)
struct.pack_into("<I", data, 20, 0)  # the shadow black
struct.pack_into("<I", data, 36, 16)  # 16-point text
encoded = "".join("\\x%02x" % b for b in data)
text = text[:match.start(1)] + encoded + text[match.end(1):]
open(path, "w", encoding="utf-8").write(text)
PY
for size in 240x320 1280x800; do
    XDG_CONFIG_HOME="$show_config" QT_QPA_PLATFORM=offscreen "$root/$build/src/xelo_album" \
        --screen "$size" --screenshot "$root/docs/screenshot-slideshow-$size.png" -s "$album"
done

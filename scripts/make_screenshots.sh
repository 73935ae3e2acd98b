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

#!/usr/bin/env bash
# Draws the external display pictures of the README: the VGA page of the Options sheet with the
# virtual display plug-in loaded, opened from the Tools menu in the real program on a virtual X
# display, and one picture the virtual display wrote during VGA Slide Show.
set -euo pipefail
build="${1:-build}"
root="$(cd "$(dirname "$0")/.." && pwd)"
work="$(mktemp -d /tmp/xelo-vga-XXXXXX)"
album="$work/Sample Album"
shots="$work/display"
mkdir -p "$album" "$shots" "$work/.config" "$work/bin"
# The program beside the virtual display alone, so that it is the device the page shows.
cp "$root/$build/src/xelo_album" "$root/$build/src/virtual.vod" "$work/bin/"
cp "$root"/samples/*.bmp "$root"/samples/*.jpg "$album/"
cleanup() {
    [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

if [ "${XELO_VGA_INSIDE:-}" != 1 ]; then
    XELO_VGA_INSIDE=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$build"
fi

# The VGA page: Tools, then Options (fourth from the end of the menu).
XDG_CONFIG_HOME="$work/.config" QT_QPA_PLATFORM=xcb "$work/bin/xelo_album" -t "$album" &
pid=$!
window=""
for _ in $(seq 60); do
    window="$(xdotool search --name "Sample Album" 2>/dev/null | head -1)" && [ -n "$window" ] && break
    sleep 0.5
done
sleep 2
# The menus have no mnemonics: the Tools title is clicked (the fourth title of the menu bar).
xdotool windowfocus --sync "$window" mousemove --window "$window" 171 8 click 1
sleep 0.8
xdotool key Up Up Up Up Up Return
sheet=""
for _ in $(seq 40); do
    sheet="$(xdotool search --name "^Options" 2>/dev/null | head -1)" && [ -n "$sheet" ] && break
    sleep 0.5
done
xdotool windowfocus --sync "$sheet"
# The sheet opens on its first page; "VGA" is this many pages further.
for _ in $(seq "${XELO_VGA_TAB:-3}"); do
    xdotool key ctrl+Tab
    sleep 0.3
done
sleep 1
import -window "$sheet" "$root/docs/screenshot-vga-page.png"
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=""

# VGA Slide Show on the virtual display: its first picture.
XDG_CONFIG_HOME="$work/.config" XELO_VIRTUAL_DISPLAY_DIR="$shots" QT_QPA_PLATFORM=offscreen \
    "$work/bin/xelo_album" --screenshot "$work/window.png" -vs "$album" >/dev/null 2>&1
cp "$shots/000001.png" "$root/docs/virtual-display-slide.png"
echo "written: docs/screenshot-vga-page.png docs/virtual-display-slide.png"

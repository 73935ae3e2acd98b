#!/usr/bin/env bash
# Opens the save sheet (Ctrl+Shift+S) and the Image Info sheet (Alt+Return) on the sample
# album's photograph in the real program on a virtual X display, as a user would, and captures
# each sheet into docs/.
set -euo pipefail
build="${1:-build}"
root="$(cd "$(dirname "$0")/.." && pwd)"
work="$(mktemp -d /tmp/xelo-sheets-XXXXXX)"
album="$work/Sample Album"
mkdir -p "$album" "$work/.config"
cp "$root"/samples/*.bmp "$root"/samples/*.jpg "$root"/samples/*.gif "$album/"
cleanup() {
    [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

shoot() {  # shoot KEYS TITLE FILE [KEYS-IN-SHEET...]
    local keys="$1" title="$2" file="$3"
    shift 3
    XDG_CONFIG_HOME="$work/.config" QT_QPA_PLATFORM=xcb "$root/$build/src/xelo_album" \
        -i "$album/13-sunset.jpg" &
    pid=$!
    local window=""
    for _ in $(seq 60); do
        window="$(xdotool search --name "Xelo Album" 2>/dev/null | head -1)" && [ -n "$window" ] && break
        sleep 0.5
    done
    sleep 2
    xdotool windowfocus --sync "$window" key "$keys"
    local sheet=""
    for _ in $(seq 40); do
        sheet="$(xdotool search --name "$title" 2>/dev/null | head -1)" && [ -n "$sheet" ] && break
        sleep 0.5
    done
    xdotool windowfocus --sync "$sheet"
    for k in "$@"; do
        xdotool key "$k"
        sleep 0.3
    done
    sleep 1.5
    import -window "$sheet" "$root/docs/$file"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    pid=""
}

if [ "${XELO_SHEETS_INSIDE:-}" != 1 ]; then
    XELO_SHEETS_INSIDE=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$build"
fi
shoot ctrl+shift+s "Crop, Resize and Convert" screenshot-save-sheet.png
shoot alt+Return "Image Info" screenshot-image-info.png
shoot alt+Return "Image Info" screenshot-image-info-histogram.png alt+h
echo "written: docs/screenshot-save-sheet.png docs/screenshot-image-info.png docs/screenshot-image-info-histogram.png"

#!/usr/bin/env bash
# Opens Tools > File Association..., Tools > Shortcut..., every page of Tools > Options... and the
# about box in the real program on a virtual X display, with JPEG already claimed and one launcher
# made by xelo-tool, and captures each dialog into docs/.
set -euo pipefail
build="${1:-build}"
root="$(cd "$(dirname "$0")/.." && pwd)"
work="$(mktemp -d /tmp/xelo-desktop-XXXXXX)"
album="$work/Sample Album"
mkdir -p "$album" "$work/.config" "$work/bin"
# The program without its plug-ins: no device answers for the VGA page while the pages are turned.
# The tool beside it writes launchers for that copy, which the Shortcut dialog then lists.
cp "$root/$build/src/xelo_album" "$root/$build/tools/xelo-tool" "$work/bin/"
cp "$root"/samples/*.jpg "$album/"
cleanup() {
    [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
export HOME="$work" XDG_CONFIG_HOME="$work/.config" XDG_DATA_HOME="$work/data"

shoot() {  # shoot UPS TITLE FILE...: the Tools menu item UPS places above its end; each
    # further FILE is the dialog's next tab
    local ups="$1" title="$2"
    shift 2
    QT_QPA_PLATFORM=xcb "$work/bin/xelo_album" -t "$album" &
    pid=$!
    local window=""
    for _ in $(seq 60); do
        window="$(xdotool search --name "Xelo Album" 2>/dev/null | head -1)" && [ -n "$window" ] && break
        sleep 0.5
    done
    sleep 2
    xdotool mousemove 315 75 click 1 # the first image, for the image shortcut
    sleep 0.5
    xdotool mousemove 171 8 click 1  # the Tools menu
    sleep 0.5
    for _ in $(seq "$ups"); do xdotool key Up; sleep 0.2; done
    xdotool key Return
    local dialog=""
    for _ in $(seq 40); do
        dialog="$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -1)" && [ -n "$dialog" ] && break
        sleep 0.5
    done
    sleep 1.5
    for file in "$@"; do  # an empty name passes a page over (the VGA page has its own script)
        [ -n "$file" ] && import -window "$dialog" "$root/docs/$file"
        xdotool key --window "$dialog" ctrl+Tab
        sleep 0.8
    done
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    pid=""
}

if [ "${XELO_DESKTOP_INSIDE:-}" != 1 ]; then
    XELO_DESKTOP_INSIDE=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$build"
fi
"$work/bin/xelo-tool" desktop associate jpg >/dev/null
"$work/bin/xelo-tool" desktop shortcut --folder "$album" --mode s >/dev/null
shoot 4 "File Association" screenshot-file-association.png
shoot 3 "Make Shortcut" screenshot-make-shortcut.png
shoot 5 "Options" screenshot-options-general.png screenshot-options-slide-show.png \
    screenshot-options-frame.png "" screenshot-options-misc.png
shoot 1 "About Xelo Album" screenshot-about.png
echo "written: docs/screenshot-file-association.png docs/screenshot-make-shortcut.png" \
    "docs/screenshot-options-*.png docs/screenshot-about.png"

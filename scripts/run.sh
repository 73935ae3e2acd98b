#!/usr/bin/env bash
# Shows an album folder in the program's window: the sample album when no folder is given.
# Where there is no display, the window is drawn off screen and its picture written to a file.
set -euo pipefail
build="${1:-build}"
folder="${2:-}"
root="$(cd "$(dirname "$0")/.." && pwd)"
[ -n "$folder" ] || folder="$root/samples"
if [ ! -d "$folder" ]; then
    echo "No such folder: $folder" >&2
    exit 1
fi
folder="$(cd "$folder" && pwd)"
program="$root/$build/src/xelo_album"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$program" -t "$folder"
fi
shot="$root/$build/xelo_album-screenshot.png"
echo "No display: drawing the window off screen."
QT_QPA_PLATFORM=offscreen "$program" --screen 240x320 --screenshot "$shot" -t "$folder"
echo "The window's picture is in $shot"

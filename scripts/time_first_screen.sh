#!/usr/bin/env bash
# Times the first screen of a large folder: N hard links of one 4000 × 3000 JPEG without an
# embedded thumbnail (the slow case: every thumbnail is decoded from the picture at 1/8 scale),
# opened off screen. Prints the program's --log lines: start-up (folder scanned, headers read),
# first paint (placeholders) and first screen complete (visible thumbnails made).
set -euo pipefail
build="${1:-build}"
count="${2:-2000}"
screen="${3:-1280x800}"
root="$(cd "$(dirname "$0")/.." && pwd)"
work="$(mktemp -d /tmp/xelo-time-XXXXXX)"
trap 'rm -rf "$work"' EXIT
tool="$root/$build/tools/xelo-tool"
"$tool" convert "$root/samples/01-sunset-24bit.bmp" -o "$work/mid.bmp" --percent 1000 >/dev/null
"$tool" convert "$work/mid.bmp" -o "$work/big.jpg" --percent 250 --quality 90 >/dev/null
mkdir "$work/album" "$work/config"
for i in $(seq -w 1 "$count"); do ln "$work/big.jpg" "$work/album/IMG_$i.jpg"; done
XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen "$root/$build/src/xelo_album" --log \
    --screen "$screen" --screenshot "$work/shot.png" -t "$work/album" 2>&1 |
    grep -E '^(started|first|mode)'

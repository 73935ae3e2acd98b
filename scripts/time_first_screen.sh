#!/usr/bin/env bash
# Times the first screen of a large folder: N hard links of one 4000 × 3000 JPEG without an
# embedded thumbnail (the slow case: every thumbnail is decoded from the picture at 1/8 scale),
# opened off screen twice: first with an empty thumbnail cache (cold), then with the cache the
# first run filled (warm). Prints the program's --log lines for each: start-up (folder scanned,
# headers read), first paint (placeholders), first thumbnail shown, first screen complete
# (visible thumbnails made), and the wall time until the process had ended (the workers still
# had the rest of the folder queued when the screenshot closed the window).
set -euo pipefail
build="${1:-build}"
count="${2:-2000}"
screen="${3:-1920x1080}"
root="$(cd "$(dirname "$0")/.." && pwd)"
work="$(mktemp -d /tmp/xelo-time-XXXXXX)"
trap 'rm -rf "$work"' EXIT
tool="$root/$build/tools/xelo-tool"
"$tool" convert "$root/samples/01-sunset-24bit.bmp" -o "$work/mid.bmp" --percent 1000 >/dev/null
"$tool" convert "$work/mid.bmp" -o "$work/big.jpg" --percent 250 --quality 90 >/dev/null
mkdir "$work/album" "$work/config" "$work/cache"
for i in $(seq -w 1 "$count"); do ln "$work/big.jpg" "$work/album/IMG_$i.jpg"; done
for run in cold warm; do
    rm -rf "$work/config"/*
    start=$(date +%s%N)
    XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache" QT_QPA_PLATFORM=offscreen \
        "$root/$build/src/xelo_album" --log --screen "$screen" --screenshot "$work/shot.png" \
        -t "$work/album" 2>&1 | grep -E '^(started|first)' | sed "s/^/$run: /"
    echo "$run: process ended at $(( ($(date +%s%N) - start) / 1000000 )) ms (wall)"
done
echo "thumbnails cached: $(find "$work/cache/thumbnails/normal" -name '*.png' | wc -l)"

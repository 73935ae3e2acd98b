#!/bin/sh
# Peak memory of the memory bombs through xelo-tool, and of a long animation played the way the
# image view plays it. Usage: scripts/measure_memory.sh [BUILD_DIR]   (default: build)
set -eu
BUILD=${1:-build}
TOOL=$BUILD/tools/xelo-tool
PROBE=$BUILD/bench/xelo_memory_probe
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# Runs a command under /usr/bin/time and prints its exit status, seconds and peak memory.
peak() {
    label=$1
    shift
    /usr/bin/time -f '%x %e %M' -o "$WORK/time" "$@" >"$WORK/out" 2>&1 || true
    read -r status seconds kib <<EOT
$(tail -n 1 "$WORK/time")
EOT
    printf '%-44s exit %s  %6.2f s  peak %4d MB  %s\n' "$label" "$status" "$seconds" \
        $((kib / 1024)) "$(tail -n 1 "$WORK/out")"
}

"$PROBE" gif-bomb "$WORK/bomb.gif" 100
"$PROBE" jpeg-bomb "$WORK/bomb-grey.jpg" grey
"$PROBE" jpeg-bomb "$WORK/bomb-colour.jpg" colour
"$PROBE" animation "$WORK/long.gif" 1000 800 600
echo "files: bomb.gif $(stat -c %s "$WORK/bomb.gif") B (100 frames of 4000x4000)," \
    "bomb-grey.jpg $(stat -c %s "$WORK/bomb-grey.jpg") B, bomb-colour.jpg" \
    "$(stat -c %s "$WORK/bomb-colour.jpg") B (16383x16383), long.gif $(stat -c %s "$WORK/long.gif") B"

peak "xelo-tool convert bomb.gif" "$TOOL" convert "$WORK/bomb.gif" -o "$WORK/out.bmp"
peak "every frame of bomb.gif (LoadFrames)" "$PROBE" load-all "$WORK/bomb.gif"
peak "xelo-tool convert bomb-grey.jpg" "$TOOL" convert "$WORK/bomb-grey.jpg" -o "$WORK/out.bmp"
peak "xelo-tool convert bomb-colour.jpg" "$TOOL" convert "$WORK/bomb-colour.jpg" -o "$WORK/out.bmp"
peak "xelo-tool thumb bomb-grey.jpg" "$TOOL" thumb "$WORK/bomb-grey.jpg" -o "$WORK/out.bmp"
peak "play long.gif (1000 x 800x600), 50 back" "$PROBE" play "$WORK/long.gif" 50
peak "every frame of long.gif (LoadFrames)" "$PROBE" load-all "$WORK/long.gif"

#!/usr/bin/env bash
# Resize All of camera-size JPEGs to 1024x768 JPEG (quality 75): xelo-tool save against
# ImageMagick's mogrify and libvips' vipsthumbnail, each timed as a whole process in one run, and
# the PSNR of the batch's scaled decode against a resize from the full-size decode.
# Usage: scripts/bench_resize_all.sh [build-dir]   (COUNT=100 pictures of 4000x3000 by default)
set -euo pipefail
build="${1:-build}"
root="$(cd "$(dirname "$0")/.." && pwd)"
tool="$root/$build/tools/xelo-tool"
count="${COUNT:-100}"
work="$(mktemp -d /tmp/xelo-resize-bench-XXXXXX)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/src" "$work/xelo" "$work/mogrify" "$work/vips" "$work/full"

# Ten distinct 12-megapixel pictures (smooth shapes with fine grain, as a camera gives), each
# copied under its own names up to COUNT files.
for i in $(seq 0 9); do
    convert -seed "$i" -size 1000x750 plasma:fractal -resize 4000x3000 -attenuate 0.3 \
        +noise Gaussian -quality 92 "$work/base$i.jpg"
done
for n in $(seq -w 1 "$count"); do
    cp "$work/base$((10#$n % 10)).jpg" "$work/src/img$n.jpg"
done
sync

seconds() {  # the wall time of a command, in seconds
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s.%N)
    echo "$end - $start" | bc
}
xelo=$(seconds "$tool" save "$work"/src/*.jpg --resize 1024x768 --format jpg --quality 75 \
    --dest "$work/xelo" --yes-to-all)
mogrify=$(seconds mogrify -path "$work/mogrify" -resize 1024x768 -quality 75 "$work"/src/*.jpg)
vips=$(seconds vipsthumbnail -s 1024x768 -o "$work/vips/%s.jpg[Q=75]" "$work"/src/*.jpg)
test "$(ls "$work/xelo" | wc -l)" -eq "$count"

# One picture through the single-image Resize, which decodes at full size.
first="$(ls "$work/src" | head -1)"
"$tool" save "$work/src/$first" --resize 1024x768 --format jpg --quality 75 \
    --dest "$work/full" --yes-to-all >/dev/null
psnr=$(compare -metric PSNR "$work/xelo/$first" "$work/full/$first" null: 2>&1 || true)

echo "pictures: $count of 4000x3000 JPEG, $(nproc) cores"
printf "xelo-tool save:  %6.2f s\n" "$xelo"
printf "mogrify:         %6.2f s  (xelo-tool takes %.2f of its time)\n" "$mogrify" \
    "$(echo "$xelo / $mogrify" | bc -l)"
printf "vipsthumbnail:   %6.2f s  (xelo-tool takes %.2f of its time)\n" "$vips" \
    "$(echo "$xelo / $vips" | bc -l)"
echo "PSNR of the scaled decode against the full-size decode: $psnr dB"

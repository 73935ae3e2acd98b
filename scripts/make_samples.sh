#!/usr/bin/env bash
# Makes the sample album in samples/: the bitmaps are drawn by make_sample_bmps.py, the JPEG and
# GIF files are written from them by our own writers through xelo-tool.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
tool="$root/${1:-build}/tools/xelo-tool"
out="$root/samples"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

python3 "$root/scripts/make_sample_bmps.py" "$out"
python3 "$root/scripts/make_sample_bmps.py" "$work" --grey-source
"$tool" convert "$out/01-sunset-24bit.bmp" -o "$out/13-sunset.jpg" --quality 90 --dpi 72
"$tool" convert "$work/grey256.bmp" -o "$out/14-sunset-grey.jpg" --quality 80
"$tool" convert "$out/01-sunset-24bit.bmp" -o "$out/15-sunset-256.gif"
"$tool" convert "$out/01-sunset-24bit.bmp" -o "$out/16-sunset-16.gif" --colors 16 --no-dither
"$tool" transition --effect 38 --from "$out/01-sunset-24bit.bmp" --to "$out/08-sunset-4bit-grey.bmp" \
    -o "$out/17-split-animation.gif" > /dev/null

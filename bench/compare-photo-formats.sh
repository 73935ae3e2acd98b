#!/usr/bin/env bash
# Whole-process timings of xelo-tool against the formats' own command-line tools, in one run:
# HEIC and AVIF thumbnails against heif-thumbnailer, PNG decoding against pngtopnm, WebP decoding
# against dwebp. The pictures are made from a photograph enlarged to 12 megapixels (HEIC and AVIF
# with a 320-pixel thumbnail inside, as phones write them).
#   bench/compare-photo-formats.sh BUILD_DIR [PHOTO]
set -euo pipefail
build=${1:?build folder}
photo=${2:-}
tool="$build/tools/xelo-tool"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
for t in heif-enc heif-thumbnailer pngtopnm dwebp cwebp; do
    command -v "$t" >/dev/null || { echo "missing $t (scripts/bootstrap.sh installs it)" >&2; exit 1; }
done

/usr/bin/python3 - "$out" "$photo" <<'PY'
import sys
from PIL import Image, ImageFilter
out, photo = sys.argv[1], sys.argv[2]
if photo:
    im = Image.open(photo).convert('RGB')
else:  # a smooth picture with detail: radial gradients and noise
    im = Image.radial_gradient('L').resize((1000, 750)).convert('RGB')
    im = Image.merge('RGB', [im.getchannel(0), Image.effect_noise((1000, 750), 40), im.getchannel(0).rotate(90).resize((1000, 750))])
im = im.resize((4000, 3000), Image.LANCZOS)
im.save(f'{out}/photo.png')
im.save(f'{out}/photo.jpg', quality=92)
PY
cwebp -quiet -q 80 "$out/photo.png" -o "$out/photo.webp"
heif-enc -q 50 -t 320 "$out/photo.jpg" -o "$out/photo.heic" >/dev/null
heif-enc -A -q 50 -t 320 "$out/photo.jpg" -o "$out/photo.avif" >/dev/null

best() {  # best wall time of five runs of "$@", in seconds
    local best=999
    for _ in 1 2 3 4 5; do
        local start end t
        start=$(date +%s.%N)
        "$@" >/dev/null 2>&1
        end=$(date +%s.%N)
        t=$(echo "$end - $start" | bc)
        if (($(echo "$t < $best" | bc))); then best=$t; fi
    done
    echo "$best"
}

row() {  # name, our time, their time
    printf '  %-34s %8.3f s  %8.3f s   ratio %.2f\n' "$1" "$2" "$3" "$(echo "$2 / $3" | bc -l)"
}

echo "whole process, best of 5                xelo-tool      reference"
for f in heic avif; do
    ours=$(best "$tool" thumb "$out/photo.$f" -o "$out/t_$f.png" --box 128x128)
    theirs=$(best heif-thumbnailer -s 128 "$out/photo.$f" "$out/h_$f.png")
    row "$f thumbnail vs heif-thumbnailer" "$ours" "$theirs"
done
ours=$(best "$tool" convert "$out/photo.png" -o "$out/p.bmp")
theirs=$(best sh -c "pngtopnm '$out/photo.png' > '$out/p.pnm'")
row "PNG decode vs pngtopnm" "$ours" "$theirs"
ours=$(best "$tool" convert "$out/photo.webp" -o "$out/w.bmp")
theirs=$(best dwebp "$out/photo.webp" -ppm -o "$out/w.ppm")
row "WebP decode vs dwebp" "$ours" "$theirs"

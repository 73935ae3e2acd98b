#!/usr/bin/env bash
# Whole-process timings of xelo-tool against the formats' own command-line tools, in one run
# (BENCH_RUNS turns each, default 15; wall and CPU time):
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

runs=${BENCH_RUNS:-15}
TIMEFORMAT='%R %U %S'
# One run of "$@": wall and CPU (user + system) seconds.
timed() {
    local t
    t=$({ time "$@" >/dev/null 2>&1; } 2>&1 | tail -1)
    read -r wall user sys <<<"$t"
    echo "$wall $(echo "$user + $sys" | bc)"
}

# Runs OURS and THEIRS (two command strings) in turns, so that both meet the same load on a busy
# machine, and prints a row with the best wall and CPU time of each and their ratios.
pair() {
    local name=$1 ours=$2 theirs=$3
    local ow=999 oc=999 tw=999 tc=999 w c
    for ((i = 0; i < runs; i++)); do
        read -r w c <<<"$(timed sh -c "$ours")"
        if (($(echo "$w < $ow" | bc))); then ow=$w; fi
        if (($(echo "$c < $oc" | bc))); then oc=$c; fi
        read -r w c <<<"$(timed sh -c "$theirs")"
        if (($(echo "$w < $tw" | bc))); then tw=$w; fi
        if (($(echo "$c < $tc" | bc))); then tc=$c; fi
    done
    printf '  %-34s %6.3f s %6.3f s  ratio %.2f   cpu %6.3f s %6.3f s  ratio %.2f\n' "$name" \
        "$ow" "$tw" "$(echo "$ow / $tw" | bc -l)" "$oc" "$tc" "$(echo "$oc / $tc" | bc -l)"
}

echo "whole process, best of $runs taken in turns   wall: xelo-tool  reference        cpu: xelo-tool  reference"
for f in heic avif; do
    pair "$f thumbnail vs heif-thumbnailer" "'$tool' thumb '$out/photo.$f' -o '$out/t_$f.png' --box 128x128" \
        "heif-thumbnailer -s 128 '$out/photo.$f' '$out/h_$f.png'"
done
pair "PNG decode vs pngtopnm" "'$tool' convert '$out/photo.png' -o '$out/p.bmp'" \
    "pngtopnm '$out/photo.png' > '$out/p.pnm'"
pair "WebP decode vs dwebp" "'$tool' convert '$out/photo.webp' -o '$out/w.bmp'" \
    "dwebp '$out/photo.webp' -ppm -o '$out/w.ppm'"

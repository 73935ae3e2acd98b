#!/usr/bin/env bash
# Side-by-side timings of xelo-tool against ImageMagick's convert (and gifsicle where it applies),
# when those are installed: a 24-bit photograph saved as a 256-colour dithered GIF, and decoding
# every frame of an animation.
#   bench/compare-gif.sh BUILD_DIR PHOTO.bmp ANIMATION.gif
set -euo pipefail
build=${1:?build folder}
photo=${2:?24-bit BMP photograph}
animation=${3:?animated GIF}
tool="$build/tools/xelo-tool"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# ImageMagick 6's binary, not whatever "convert" comes first on the PATH.
magick=$(command -v convert-im6.q16 || true)

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

echo "photo to 256-colour dithered GIF:"
echo "  xelo-tool convert      $(best "$tool" convert "$photo" -o "$out/x.gif") s"
if [ -n "$magick" ]; then
    echo "  convert -colors 256    $(best "$magick" "$photo" -dither FloydSteinberg -colors 256 "$out/m.gif") s"
fi
echo "decode every frame of $(basename "$animation"):"
echo "  xelo-tool convert      $(best "$tool" convert "$animation" -o "$out/a.bmp") s"
if [ -n "$magick" ]; then
    echo "  convert FILE null:     $(best "$magick" "$animation" null:) s"
fi
if command -v gifsicle >/dev/null; then
    echo "  gifsicle --unoptimize  $(best gifsicle --unoptimize "$animation" -o "$out/g.gif") s"
fi

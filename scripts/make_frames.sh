#!/bin/sh
# Draws the picture frames shipped with the program: one-frame GIFs of 240 x 240 pixels whose
# middle is transparent, so they fit the handheld's screen and stretch over a desktop slide.
# Usage: scripts/make_frames.sh [OUTPUT_DIR]   (default data/frames)
set -eu
out=${1:-data/frames}
mkdir -p "$out"
hole='#ff00ff'
# Walnut: a dark wooden moulding with a light inner lip.
convert -size 240x240 xc:'#5b3a1e' \
    -fill '#7a4f2a' -draw 'rectangle 6,6 233,233' \
    -fill '#4a2e16' -draw 'rectangle 12,12 227,227' \
    -fill '#e8d8b0' -draw 'rectangle 18,18 221,221' \
    -fill "$hole" -draw 'rectangle 22,22 217,217' \
    -transparent "$hole" "$out/walnut.gif"
# Gallery: a thin black line, a wide white mat, a grey bevel.
convert -size 240x240 xc:black \
    -fill white -draw 'rectangle 3,3 236,236' \
    -fill '#a0a0a0' -draw 'rectangle 24,24 215,215' \
    -fill "$hole" -draw 'rectangle 26,26 213,213' \
    -transparent "$hole" "$out/gallery.gif"
# Confetti: a white border scattered with coloured dots.
convert -size 240x240 xc:white \
    -fill "$hole" -draw 'roundrectangle 16,16 223,223 14,14' \
    -fill '#e04040' -draw 'circle 8,8 8,12' -draw 'circle 120,7 120,11' -draw 'circle 231,60 231,64' \
    -fill '#2080e0' -draw 'circle 60,232 60,236' -draw 'circle 8,150 8,154' -draw 'circle 231,231 231,235' \
    -fill '#30a050' -draw 'circle 180,8 180,12' -draw 'circle 8,90 8,94' -draw 'circle 170,232 170,236' \
    -fill '#f0b020' -draw 'circle 231,150 231,154' -draw 'circle 8,231 8,235' -draw 'circle 231,8 231,12' \
    -transparent "$hole" "$out/confetti.gif"

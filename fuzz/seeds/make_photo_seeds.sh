#!/usr/bin/env bash
# Writes the seeds of fuzz_png, fuzz_webp, fuzz_tiff and fuzz_heif (kept in git) with Pillow,
# cwebp, tiffcp and heif-enc: small pictures in the encodings those files use most.
set -euo pipefail
out=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$out/png" "$out/webp" "$out/tiff" "$out/heif"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
/usr/bin/python3 - "$out" "$work" <<'PY'
import sys
from PIL import Image
out, work = sys.argv[1], sys.argv[2]
im = Image.new('RGBA', (24, 16))
for y in range(16):
    for x in range(24):
        im.putpixel((x, y), (x * 10, y * 15, 128, 255 if x > 4 else x * 50))
im.save(f'{out}/png/rgba.png')
im.convert('P').save(f'{out}/png/palette.png', transparency=0)
im.convert('L').save(f'{out}/png/grey_interlaced.png', interlace=1)
im.convert('L').convert('I').save(f'{out}/png/grey16.png')
im.convert('1').save(f'{out}/png/bilevel.png')
im.save(f'{work}/src.png')
# Animated PNG: frames Pillow stores as smaller rectangles, blended over and disposed to the
# previous canvas; a palette animation behind a still picture that is not one of its frames.
moved = [im.rotate(a) for a in (0, 90, 180)]
moved[0].save(f'{out}/png/anim_over.png', save_all=True, append_images=moved[1:],
              duration=[50, 60, 70], loop=3, disposal=[0, 2, 1], blend=[0, 1, 1])
still = [im.convert('P')] + [f.convert('P') for f in moved[1:]]
still[0].save(f'{out}/png/anim_palette_default.png', save_all=True, append_images=still[1:],
              default_image=True, duration=40, loop=0)
frames = [im.convert('RGB').rotate(a) for a in (0, 90, 180)]
frames[0].save(f'{out}/webp/anim.webp', save_all=True, append_images=frames[1:],
               duration=[50, 60, 70], loop=2, quality=50)
im.save(f'{out}/tiff/rgba_lzw.tif', compression='tiff_lzw')
im.convert('L').save(f'{out}/tiff/grey_packbits.tif', compression='packbits')
im.convert('1').save(f'{out}/tiff/bilevel_g4.tif', compression='group4')
im.convert('RGB').save(f'{out}/tiff/jpeg.tif', compression='jpeg')
im.convert('RGB').save(f'{work}/page1.tif')
im.convert('P').save(f'{work}/page2.tif')
PY
cwebp -quiet -q 60 "$work/src.png" -o "$out/webp/lossy_alpha.webp"
cwebp -quiet -lossless "$work/src.png" -o "$out/webp/lossless.webp"
tiffcp -t -w 16 -l 16 "$work/page1.tif" "$work/page2.tif" "$out/tiff/tiled_pages.tif"
heif-enc -q 40 "$work/src.png" -o "$out/heif/alpha.heic" >/dev/null
heif-enc -A -q 40 "$work/src.png" -o "$out/heif/alpha.avif" >/dev/null
heif-enc -q 40 -t 8 "$work/src.png" -o "$out/heif/thumbnail.heic" >/dev/null

#!/usr/bin/python3
"""Renders the PNG sizes of the program icon (data/desktop/icons/NxN.png).

The drawing is the one of data/desktop/xelo-album.svg, on its 128-unit grid, drawn four times
larger and reduced so the edges are smooth. Run again after changing the SVG.
"""
import pathlib
from PIL import Image, ImageDraw

SIZES = (16, 24, 32, 48, 64, 128, 256)
OUT = pathlib.Path(__file__).resolve().parent.parent / "data" / "desktop" / "icons"


def draw(size):
    k = size * 4 / 128
    s = lambda *v: [round(x * k) for x in v]
    img = Image.new("RGBA", (size * 4, size * 4), (0, 0, 0, 0))
    back = Image.new("RGBA", img.size, (0, 0, 0, 0))
    ImageDraw.Draw(back).rounded_rectangle(s(22, 14, 114, 106), radius=6 * k, fill="#c9d6e3",
                                           outline="#5b6b7c", width=max(1, round(3 * k)))
    img.alpha_composite(back.rotate(-8, center=tuple(s(68, 60)), resample=Image.BICUBIC))
    d = ImageDraw.Draw(img)
    d.rounded_rectangle(s(12, 22, 108, 114), radius=6 * k, fill="#fdfbf5", outline="#3d4a57",
                        width=max(1, round(3 * k)))
    d.rectangle(s(22, 32, 98, 92), fill="#7fb8e6")
    d.ellipse(s(72, 40, 88, 56), fill="#ffd54a")
    d.polygon(s(22, 92, 46, 60, 62, 78, 74, 66, 98, 92), fill="#4f9a54")
    d.rectangle(s(22, 32, 98, 92), outline="#3d4a57", width=max(1, round(2 * k)))
    d.rounded_rectangle(s(34, 100, 86, 106), radius=3 * k, fill="#b0bac4")
    return img.resize((size, size), Image.LANCZOS)


if __name__ == "__main__":
    OUT.mkdir(parents=True, exist_ok=True)
    for n in SIZES:
        draw(n).save(OUT / f"{n}x{n}.png", optimize=True)

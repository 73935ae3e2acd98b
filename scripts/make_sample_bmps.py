#!/usr/bin/env python3
"""Writes the bitmap files of the sample album (samples/): one picture per depth and storage
variant the reader handles. The pictures are drawn here, so the album carries no outside files."""
import math
import os
import struct
import sys

W, H = 160, 120


def picture(x, y):
    """A sunset over hills: sky gradient, a sun, two hill lines. Returns (r, g, b)."""
    sky = y / H
    r, g, b = int(255 - 80 * sky), int(140 + 60 * sky), int(90 + 150 * sky)
    if math.hypot(x - 110, y - 40) < 18:
        r, g, b = 255, 220, 90
    if y > 80 + 12 * math.sin(x / 17.0):
        r, g, b = 40, int(110 + 40 * math.sin(x / 9.0)), 50
    if y > 100 + 6 * math.sin(x / 11.0 + 1):
        r, g, b = 25, 70, 35
    return r, g, b


def pixels():
    return [[picture(x, y) for x in range(W)] for y in range(H)]


def header(width, height, bits, compression, palette, data, header_size=40, masks=b''):
    offset = 14 + header_size + len(masks) + len(palette)
    file_header = b'BM' + struct.pack('<IHHI', offset + len(data), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', header_size, width, height, 1, bits, compression, len(data),
                       2835, 2835, len(palette) // 4, 0)
    info += b'\0' * (header_size - 40)
    return file_header + info + masks + palette + data


def pad(row):
    return row + b'\0' * ((4 - len(row) % 4) % 4)


def quantise(pix, levels):
    """Maps each pixel to the nearest entry of a palette; returns (palette bytes, index rows)."""
    palette = b''.join(bytes((b, g, r, 0)) for r, g, b in levels)
    cache = {}

    def nearest(c):
        if c not in cache:
            cache[c] = min(range(len(levels)),
                           key=lambda i: sum((c[k] - levels[i][k]) ** 2 for k in range(3)))
        return cache[c]
    return palette, [[nearest(c) for c in row] for row in pix]


def grey_levels(n):
    return [(v, v, v) for v in (round(i * 255 / (n - 1)) for i in range(n))]


def colour_levels():
    steps = [0, 51, 102, 153, 204, 255]
    return [(r, g, b) for r in steps for g in steps for b in steps] + [(v, v, v) for v in range(8, 248, 6)][:40]


def pack_bits(indices, bits):
    out, acc, n = bytearray(), 0, 0
    for i in indices:
        acc = (acc << bits) | i
        n += bits
        if n == 8:
            out.append(acc)
            acc, n = 0, 0
    if n:
        out.append(acc << (8 - n))
    return bytes(out)


def rle8(rows):
    out = bytearray()
    for row in rows:
        x = 0
        while x < len(row):
            run = 1
            while x + run < len(row) and run < 255 and row[x + run] == row[x]:
                run += 1
            out += bytes((run, row[x]))
            x += run
        out += b'\0\0'
    return bytes(out + b'\0\1')


def rle4(rows):
    out = bytearray()
    for row in rows:
        x = 0
        while x < len(row):
            run = 1
            while x + run < len(row) and run < 254 and row[x + run] == row[x]:
                run += 1
            out += bytes((run, (row[x] << 4) | row[x]))
            x += run
        out += b'\0\0'
    return bytes(out + b'\0\1')


def main(folder, grey_source=False):
    os.makedirs(folder, exist_ok=True)
    pix = pixels()
    bottom_up = list(reversed(pix))

    def save(name, data):
        with open(os.path.join(folder, name), 'wb') as f:
            f.write(data)

    rgb24 = b''.join(pad(b''.join(bytes((b, g, r)) for r, g, b in row)) for row in bottom_up)
    save('01-sunset-24bit.bmp', header(W, H, 24, 0, b'', rgb24))
    top_down = b''.join(pad(b''.join(bytes((b, g, r)) for r, g, b in row)) for row in pix)
    save('02-sunset-24bit-topdown.bmp', header(W, -H, 24, 0, b'', top_down))
    rgb32 = b''.join(b''.join(bytes((b, g, r, 0)) for r, g, b in row) for row in bottom_up)
    save('03-sunset-32bit.bmp', header(W, H, 32, 0, b'', rgb32))
    v565 = b''.join(pad(b''.join(struct.pack('<H', ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3))
                                 for r, g, b in row)) for row in bottom_up)
    save('04-sunset-16bit-565.bmp', header(W, H, 16, 3, b'', v565,
                                           masks=struct.pack('<III', 0xF800, 0x07E0, 0x001F)))
    v555 = b''.join(pad(b''.join(struct.pack('<H', ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3))
                                 for r, g, b in row)) for row in bottom_up)
    save('05-sunset-16bit-555.bmp', header(W, H, 16, 0, b'', v555))

    palette, idx = quantise(bottom_up, colour_levels())
    save('06-sunset-8bit.bmp', header(W, H, 8, 0, palette, b''.join(pad(bytes(r)) for r in idx)))
    save('07-sunset-8bit-rle.bmp', header(W, H, 8, 1, palette, rle8(idx)))
    palette, idx = quantise(bottom_up, grey_levels(16))
    save('08-sunset-4bit-grey.bmp', header(W, H, 4, 0, palette,
                                           b''.join(pad(pack_bits(r, 4)) for r in idx)))
    save('09-sunset-4bit-rle.bmp', header(W, H, 4, 2, palette, rle4(idx)))
    palette, idx = quantise(bottom_up, grey_levels(4))
    save('10-sunset.2bp', header(W, H, 2, 0, palette, b''.join(pad(pack_bits(r, 2)) for r in idx)))
    palette, idx = quantise(bottom_up, [(0, 0, 0), (255, 255, 255)])
    save('11-sunset-1bit.bmp', header(W, H, 1, 0, palette, b''.join(pad(pack_bits(r, 1)) for r in idx)))
    save('12-sunset-v5-header.bmp', header(W, H, 24, 0, b'', rgb24, header_size=124))
    if grey_source:
        # The source of the grey JPEG sample: 8 bits with the 256-level grey palette.
        palette, idx = quantise(bottom_up, grey_levels(256))
        save('grey256.bmp', header(W, H, 8, 0, palette, b''.join(pad(bytes(r)) for r in idx)))


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'samples', '--grey-source' in sys.argv)

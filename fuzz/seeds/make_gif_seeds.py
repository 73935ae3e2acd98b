#!/usr/bin/env python3
"""Writes the GIF fuzz seeds: small hand-built files covering the reader's paths (global and
local tables, control blocks, interlacing, animation, repeated-prefix codes, comments)."""
import os
import struct

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "gif")


def screen(w, h, colours):
    bits = max(1, (colours - 1).bit_length())
    head = b"GIF89a" + struct.pack("<HHBBB", w, h, 0x80 | (bits - 1), 0, 0)
    return head + bytes(c for i in range(1 << bits) for c in (i * 37 % 256, i * 91 % 256, i))


def lzw(min_size, pixels):
    """Literal codes with a clear often enough that the code size never grows."""
    clear = 1 << min_size
    codes = []
    for i, p in enumerate(pixels):
        if i % max(1, clear - 2) == 0:
            codes.append(clear)
        codes.append(p)
    codes.append(clear + 1)
    acc = bits = 0
    out = bytearray()
    for c in codes:
        acc |= c << bits
        bits += min_size + 1
        while bits >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            bits -= 8
    if bits:
        out.append(acc & 0xFF)
    blocks = bytearray([min_size])
    for i in range(0, len(out), 255):
        chunk = out[i:i + 255]
        blocks += bytes([len(chunk)]) + chunk
    return bytes(blocks + b"\0")


def image(x, y, w, h, pixels, min_size=2, interlaced=False, local=0):
    packed = 0x40 if interlaced else 0
    table = b""
    if local:
        bits = max(1, (local - 1).bit_length())
        packed |= 0x80 | (bits - 1)
        table = bytes(c for i in range(1 << bits) for c in (255 - i, i, 0))
    return b"\x2C" + struct.pack("<HHHHB", x, y, w, h, packed) + table + lzw(min_size, pixels)


def control(disposal, delay, transparent=None):
    packed = (disposal << 2) | (1 if transparent is not None else 0)
    return b"\x21\xF9\x04" + struct.pack("<BHB", packed, delay, transparent or 0) + b"\0"


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


os.makedirs(HERE, exist_ok=True)
write("still.gif", screen(4, 3, 4) + image(0, 0, 4, 3, [i % 4 for i in range(12)]) + b";")
write("interlaced.gif", screen(3, 9, 8) +
      image(0, 0, 3, 9, [i % 8 for i in range(27)], 3, interlaced=True) + b";")
netscape = b"\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00"
write("animation.gif", screen(4, 4, 4) + netscape +
      control(1, 10) + image(0, 0, 4, 4, [1] * 16) +
      control(2, 20, 3) + image(1, 1, 2, 2, [3, 2, 2, 3], local=4) +
      control(3, 5) + image(2, 0, 2, 4, [0, 1] * 4) + b"\x21\xFE\x03abc\0;")
# clear, 1, 6 (the entry being defined), end: the repeated-prefix case.
write("repeat.gif", screen(3, 1, 4) + b"\x2C" + struct.pack("<HHHHB", 0, 0, 3, 1, 0) +
      bytes([2, 2, 0x8C, 0x0B, 0]) + b";")

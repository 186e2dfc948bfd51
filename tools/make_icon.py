#!/usr/bin/env python3
"""Writes ui/namori.ico, the program icon "MyApp": one group with a 32x32 and
a 16x16 image, 16 colours each (4 bits per pixel, standard 16-colour palette).

The design is a round vermilion name seal with a white rim and a white brush
stroke in the shape of a person (人) inside. Drawn from geometry, so the
output is byte-for-byte reproducible:

    python3 tools/make_icon.py ui/namori.ico
"""

import math
import struct
import sys

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, DARK_RED, RED, WHITE = 0, 1, 9, 15
TRANSPARENT = None


def seg_distance(px, py, ax, ay, bx, by):
    """Distance from point p to the segment a-b."""
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = max(0.0, min(1.0, t))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def draw(size):
    """Rows top to bottom of palette indices, or TRANSPARENT."""
    s = size / 32.0  # everything is designed on a 32x32 grid
    c = (size - 1) / 2.0
    # The 人 stroke: a left-falling and a right-falling sweep from the top.
    strokes = [((16, 7), (8, 25)), ((15, 13), (24, 25))]
    pen = 2.2 if size >= 32 else 1.6
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            r = math.hypot(x - c, y - c) / s
            if r > 15.5:
                row.append(TRANSPARENT)
                continue
            gx, gy = (x + 0.5) / s, (y + 0.5) / s
            on_stroke = any(seg_distance(gx, gy, *a, *b) <= pen for a, b in strokes)
            if r > 14.5:
                row.append(DARK_RED)
            elif r > 12.5 and size >= 32:
                row.append(WHITE if r > 13.0 else RED)
            elif on_stroke:
                row.append(WHITE)
            else:
                row.append(RED)
        rows.append(row)
    return rows


def dib(size):
    """The icon image: BITMAPINFOHEADER, palette, XOR bits, AND mask."""
    rows = draw(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    xor_stride = (size * 4 + 31) // 32 * 4
    and_stride = (size + 31) // 32 * 4
    xor_bits = bytearray()
    and_bits = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray(xor_stride)
        mask = bytearray(and_stride)
        for x, v in enumerate(row):
            index = BLACK if v is TRANSPARENT else v
            line[x // 2] |= index << (4 if x % 2 == 0 else 0)
            if v is TRANSPARENT:
                mask[x // 8] |= 0x80 >> (x % 8)
        xor_bits += line
        and_bits += mask
    return header + palette + bytes(xor_bits) + bytes(and_bits)


def icon():
    images = [dib(32), dib(16)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((32, 16), images):
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: make_icon.py OUTPUT.ico")
    with open(sys.argv[1], "wb") as f:
        f.write(icon())

#!/usr/bin/env python3
"""Draws the program's icon: a package with an arrow going into it, 7 colours, at 32 x 32 and
16 x 16 pixels, in one .ico file. Each picture is stored as a PNG image with a palette, which the
platform reads in icons since Windows Vista: a third of the room the same pixels take as a bitmap.

Usage: scripts/make-icon.py [output]   (default: src/app/setup.ico)
The drawing is pure arithmetic, so the same script always writes the same bytes.
"""
import os
import struct
import sys
import zlib

SIZES = (32, 16)
CLEAR, OUTLINE, FRONT, FRONT_DARK, LID, ARROW, ARROW_DARK = range(7)
PALETTE = [(0, 0, 0), (8, 16, 40), (14, 118, 140), (18, 70, 110), (120, 196, 210), (255, 168, 40),
           (196, 100, 16)]


def shape_at(u, v):
    """The region at a point of the 32-unit drawing: an open box seen from above, an arrow over it."""
    if 13 <= u < 19 and 1 <= v < 12 or 9 <= v < 21 and abs(u - 16) < (21 - v) * 0.75:
        return ARROW_DARK if u >= 16 else ARROW
    if 4 <= u < 28 and 17 <= v < 30:
        return FRONT_DARK if v >= 25 else FRONT
    if 11 <= v < 17 and 4 + (17 - v) * 0.7 <= u < 28 - (17 - v) * 0.7:
        return LID
    return CLEAR


BOX = (FRONT, FRONT_DARK, LID)


def is_edge(here, there):
    """Whether a pixel of region `here` next to one of region `there` is drawn as outline."""
    return here != CLEAR and (there == CLEAR or here in BOX and there not in BOX or here == LID and there == FRONT)


def draw(size):
    scale = 32 / size
    rows = [[shape_at((x + 0.5) * scale, (y + 0.5) * scale) for x in range(size)] for y in range(size)]

    def region(x, y):
        return rows[y][x] if 0 <= x < size and 0 <= y < size else CLEAR

    return [[OUTLINE if any(is_edge(rows[y][x], region(x + dx, y + dy)) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
             else rows[y][x] for x in range(size)] for y in range(size)]


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def image(size):
    """One icon image: a PNG picture, a byte a pixel indexing the palette, the first entry clear."""
    rows = draw(size)
    pixels = b"".join(b"\0" + bytes(row) for row in rows)  # each row unfiltered
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 3, 0, 0, 0)) +
            chunk(b"PLTE", b"".join(bytes(colour) for colour in PALETTE)) + chunk(b"tRNS", b"\0") +
            chunk(b"IDAT", zlib.compress(pixels, 9)) + chunk(b"IEND", b""))


def icon():
    images = [image(size) for size in SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(SIZES, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 8, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "src", "app", "setup.ico")
    with open(target, "wb") as f:
        f.write(icon())


if __name__ == "__main__":
    main()

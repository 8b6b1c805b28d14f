#!/usr/bin/env python3
"""Draws the About page picture: 382 x 182 pixels, 256 colours, stored RLE8-compressed.

Usage: scripts/make-about-bitmap.py [output]   (default: src/app/about.bmp)
The drawing is pure arithmetic, so the same script always writes the same bytes.
"""
import os
import struct
import sys

WIDTH, HEIGHT = 382, 182

# Palette: 0..95 the background gradient, 96..191 the same rows lightened (the bands),
# then a few flat colours.
GRADIENT = 96
TOP, BOTTOM = (18, 32, 84), (14, 118, 140)
WHITE, SHADOW, ACCENT = 200, 201, 202


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def palette():
    colours = [(0, 0, 0)] * 256
    for i in range(GRADIENT):
        base = mix(TOP, BOTTOM, i / (GRADIENT - 1))
        colours[i] = base
        colours[GRADIENT + i] = mix(base, (255, 255, 255), 0.16)
    colours[WHITE] = (255, 255, 255)
    colours[SHADOW] = (8, 16, 40)
    colours[ACCENT] = (255, 168, 40)
    return colours


# A 5 x 7 letter shape for each character of the word, one string per row.
GLYPHS = {
    "S": [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    "e": [".....", ".....", ".###.", "#...#", "#####", "#....", ".####"],
    "t": [".#...", ".#...", "####.", ".#...", ".#...", ".#..#", "..##."],
    "u": [".....", ".....", "#...#", "#...#", "#...#", "#..##", ".##.#"],
    "p": [".....", ".....", "####.", "#...#", "####.", "#....", "#...."],
}
WORD, SCALE, GAP = "Setup", 8, 10


def draw():
    rows = []
    for y in range(HEIGHT):
        shade = y * (GRADIENT - 1) // (HEIGHT - 1)
        row = []
        for x in range(WIDTH):
            # Two light diagonal bands across the right-hand side.
            d = x + y // 2
            band = 250 <= d < 280 or 296 <= d < 310
            row.append(GRADIENT + shade if band else shade)
        rows.append(row)

    word_width = len(WORD) * 5 * SCALE + (len(WORD) - 1) * GAP
    left, top = (WIDTH - word_width) // 2, (HEIGHT - (7 * SCALE + 24)) // 2
    for shadow, dx in ((True, 4), (False, 0)):
        for n, letter in enumerate(WORD):
            x0 = left + n * (5 * SCALE + GAP) + dx
            for gy, line in enumerate(GLYPHS[letter]):
                for gx, cell in enumerate(line):
                    if cell != "#":
                        continue
                    for y in range(top + gy * SCALE + dx, top + (gy + 1) * SCALE + dx):
                        for x in range(x0 + gx * SCALE, x0 + (gx + 1) * SCALE):
                            rows[y][x] = SHADOW if shadow else WHITE

    bar_top = top + 7 * SCALE + 18
    for y in range(bar_top, bar_top + 6):
        for x in range(left, left + word_width):
            rows[y][x] = ACCENT
    return rows


def rle8(rows):
    """Encoded runs only (count, index), one end-of-line per row, rows bottom-up."""
    out = bytearray()
    for row in reversed(rows):
        x = 0
        while x < len(row):
            run = 1
            while x + run < len(row) and run < 255 and row[x + run] == row[x]:
                run += 1
            out += bytes((run, row[x]))
            x += run
        out += b"\x00\x00"
    out[-2:] = b"\x00\x01"  # the last end-of-line becomes end-of-bitmap
    return bytes(out)


def bitmap(rows):
    data = rle8(rows)
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette())
    offset = 14 + 40 + len(colours)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 8, 1, len(data), 2835, 2835, 256, 0)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    return header + info + colours + data


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "src", "app", "about.bmp")
    with open(target, "wb") as f:
        f.write(bitmap(draw()))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Writes the axis-label bitmaps font_x.bmp, font_y.bmp and font_z.bmp:
11 x 10 pixels, 16 colours, a red letter on white inside a one-pixel grey
frame. Run from this folder; the outputs are committed."""
import struct

WIDTH, HEIGHT = 11, 10
# The standard 16-colour palette, as (R, G, B).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
GREY, RED, WHITE = 8, 9, 15

# 9 x 8 letters inside the frame, top row first.
LETTERS = {
    "x": [".#.....#.", "..#...#..", "...#.#...", "....#....",
          "....#....", "...#.#...", "..#...#..", ".#.....#."],
    "y": [".#.....#.", "..#...#..", "...#.#...", "....#....",
          "....#....", "....#....", "....#....", "....#...."],
    "z": [".#######.", "......#..", ".....#...", "....#....",
          "...#.....", "..#......", ".#.......", ".#######."],
}


def pixels(letter):
    rows = []
    for y in range(HEIGHT):
        row = []
        for x in range(WIDTH):
            if x in (0, WIDTH - 1) or y in (0, HEIGHT - 1):
                row.append(GREY)
            else:
                row.append(RED if LETTERS[letter][y - 1][x - 1] == "#" else WHITE)
        rows.append(row)
    return rows


def bmp(rows):
    stride = ((WIDTH * 4 + 31) // 32) * 4
    bits = bytearray()
    for row in reversed(rows):  # bottom-up
        packed = bytearray()
        for x in range(0, WIDTH, 2):
            high = row[x]
            low = row[x + 1] if x + 1 < WIDTH else 0
            packed.append((high << 4) | low)
        bits += packed + bytes(stride - len(packed))
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 4, 0, len(bits), 2835, 2835, 16, 16)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    return header + info + palette + bytes(bits)


for name in LETTERS:
    with open(f"font_{name}.bmp", "wb") as out:
        out.write(bmp(pixels(name)))

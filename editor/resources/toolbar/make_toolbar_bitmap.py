#!/usr/bin/env python3
"""Writes toolbar.bmp, the main window's toolbar strip (bitmap 111): 24 images
of 16 x 16 pixels side by side, 16 colours. The background is the light grey
(192, 192, 192) that the toolbar maps to the button face colour. Run from this
folder; the output is committed. --preview PNG also writes an 8x enlargement
(needs ImageMagick's convert)."""
import struct
import subprocess
import sys

SIZE = 16
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
K, DRED, DGREEN, OLIVE, NAVY, PURPLE, TEAL, BG, GREY, RED, GREEN, YELLOW, BLUE, MAGENTA, CYAN, WHITE = range(16)

# 5 x 7 capitals for the selection-shift buttons.
GLYPHS = {
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    "F": ["#####", "#....", "#....", "####.", "#....", "#....", "#...."],
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "H": ["#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
}


class Canvas:
    def __init__(self):
        self.px = [[BG] * SIZE for _ in range(SIZE)]

    def dot(self, x, y, c):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, edge, fill=None):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                border = x in (x0, x1) or y in (y0, y1)
                if border and edge is not None:
                    self.dot(x, y, edge)
                elif not border and fill is not None:
                    self.dot(x, y, fill)

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.dot(x0, y0, c)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def glyph(self, letter, x, y, c):
        for row, bits in enumerate(GLYPHS[letter]):
            for col, bit in enumerate(bits):
                if bit == "#":
                    self.dot(x + col, y + row, c)

    def arrow(self, x0, y0, x1, y1, c, head=3):
        """A two-pixel-wide shaft from (x0, y0) to (x1, y1), axis-aligned, with a head at the end."""
        if y0 == y1:
            step = 1 if x1 > x0 else -1
            for x in range(x0, x1, step):
                self.dot(x, y0, c)
                self.dot(x, y0 + 1, c)
            for i in range(head + 1):
                self.line(x1 - step * i, y0 - i, x1 - step * i, y0 + 1 + i, c)
        else:
            step = 1 if y1 > y0 else -1
            for y in range(y0, y1, step):
                self.dot(x0, y, c)
                self.dot(x0 + 1, y, c)
            for i in range(head + 1):
                self.line(x0 - i, y1 - step * i, x0 + 1 + i, y1 - step * i, c)

    def circle(self, cx, cy, r, c):
        x, y, err = r, 0, 1 - r
        while x >= y:
            for px, py in ((x, y), (y, x), (-y, x), (-x, y), (-x, -y), (-y, -x), (y, -x), (x, -y)):
                self.dot(cx + px, cy + py, c)
            y += 1
            if err < 0:
                err += 2 * y + 1
            else:
                x -= 1
                err += 2 * (y - x) + 1


def page(c):
    c.rect(3, 1, 12, 14, K, WHITE)
    for i in range(4):  # folded corner
        c.line(9 + i, 1, 12, 4 - i, BG if i else K)
    c.line(9, 1, 9, 4, K)
    c.line(9, 4, 12, 4, K)
    c.line(9, 1, 12, 4, K)


def icon_new(c):
    page(c)


def icon_open(c):
    c.rect(1, 3, 6, 5, K, YELLOW)
    c.rect(1, 5, 13, 13, K, OLIVE)
    for y in range(8, 14):  # the open front
        c.line(3 + (13 - y) // 2, y, 14 - (13 - y) // 3, y, YELLOW)
    c.line(3, 8, 15, 8, K)
    c.line(3, 8, 1, 13, K)
    c.line(15, 8, 13, 13, K)
    c.line(1, 13, 13, 13, K)


def icon_save(c):
    c.rect(1, 1, 14, 14, K, NAVY)
    c.rect(4, 1, 11, 7, K, WHITE)
    c.line(5, 3, 10, 3, GREY)
    c.line(5, 5, 10, 5, GREY)
    c.rect(4, 10, 11, 14, K, GREY)
    c.rect(8, 11, 9, 13, K, K)


def icon_close(c):
    for o in (0, 1):
        c.line(2 + o, 2, 13, 13 - o, RED)
        c.line(2, 2 + o, 13 - o, 13, RED)
        c.line(13 - o, 2, 2, 13 - o, RED)
        c.line(13, 2 + o, 2 + o, 13, RED)


def icon_header(c):
    page(c)
    for y in (5, 6):
        c.line(4, y, 11, y, NAVY)
    c.glyph("H", 5, 7, RED)


def icon_parts(c):
    c.rect(2, 6, 10, 14, K, BLUE)          # front
    for i in range(1, 4):                  # top
        c.line(2 + i, 6 - i, 10 + i, 6 - i, CYAN)
    c.line(2, 6, 5, 3, K)
    c.line(10, 6, 13, 3, K)
    c.line(5, 3, 13, 3, K)
    for i in range(1, 4):                  # side
        c.line(10 + i, 6 - i + 1, 10 + i, 14 - i, NAVY)
    c.line(13, 3, 13, 11, K)
    c.line(10, 14, 13, 11, K)


def icon_motion(c):
    c.rect(2, 1, 13, 14, K, K)
    for y in range(2, 14, 3):
        c.dot(3, y, WHITE)
        c.dot(12, y, WHITE)
    c.rect(5, 2, 10, 7, None, CYAN)
    c.rect(5, 8, 10, 13, None, TEAL)
    # a small figure in the upper frame, stepping into the lower one
    c.dot(8, 3, RED)
    c.line(8, 4, 8, 6, RED)
    c.line(7, 10, 8, 9, YELLOW)
    c.line(8, 9, 9, 12, YELLOW)


def icon_frame(c):
    c.rect(1, 2, 14, 13, OLIVE, OLIVE)
    c.rect(3, 3, 12, 12, K, WHITE)
    c.glyph("F", 5, 4, K)


def icon_position(c):
    c.circle(7, 7, 6, RED)
    c.circle(7, 7, 3, RED)
    c.line(7, 0, 7, 14, K)
    c.line(0, 7, 14, 7, K)
    c.dot(7, 7, RED)


def shift(letter, forward):
    def draw(c):
        if forward:
            c.glyph(letter, 1, 4, NAVY)
            c.arrow(7, 7, 14, 7, DGREEN, head=3)
        else:
            c.glyph(letter, 10, 4, NAVY)
            c.arrow(8, 7, 1, 7, DGREEN, head=3)
    return draw


def icon_focus(c):
    for x in range(1, 15):  # the lids
        h = 4 - abs(x - 7.5) * 4 // 7
        c.dot(x, int(7 - h), K)
        c.dot(x, int(8 + h), K)
    for y in range(5, 11):
        for x in range(3, 13):
            if c.px[y][x] == BG and abs(x - 7.5) + abs(y - 7.5) * 1.6 < 6:
                c.dot(x, y, WHITE)
    c.circle(7, 7, 2, BLUE)
    c.rect(6, 6, 8, 8, None, BLUE)
    c.dot(7, 7, K)
    c.dot(8, 7, K)


def icon_translate(c):
    c.arrow(7, 7, 1, 7, K, head=2)
    c.arrow(8, 7, 14, 7, K, head=2)
    c.arrow(7, 7, 7, 1, K, head=2)
    c.arrow(7, 8, 7, 14, K, head=2)


def icon_rotate(c):
    for r in (5, 6):
        for angle_x, angle_y in ((x, y) for x in range(-r, r + 1) for y in range(-r, r + 1)):
            if r - 0.5 <= (angle_x ** 2 + angle_y ** 2) ** 0.5 < r + 0.5 and not (angle_x > 0 and angle_y < 0):
                c.dot(8 + angle_x, 8 + angle_y, NAVY)
    for i in range(4):  # head at the gap's end, pointing right
        c.line(11 - i, 1 + i, 11 - i, 5 - i, NAVY)
        c.line(9, 1 + i, 12 - i, 3, NAVY)


def icon_scale(c):
    c.rect(1, 9, 6, 14, K, WHITE)
    c.rect(1, 1, 14, 14, GREY)
    for o in (0, 1):
        c.line(6 + o, 9, 12, 3 + o, RED)
    c.line(9, 3, 13, 3, RED)
    c.line(13, 2, 13, 7, RED)
    c.line(12, 2, 13, 2, RED)


def mouse(c, x0):
    c.rect(x0, 3, x0 + 5, 12, K, WHITE)
    c.line(x0 + 1, 6, x0 + 4, 6, K)
    c.line(x0 + 2, 3, x0 + 2, 6, K)
    c.dot(x0, 3, BG)
    c.dot(x0 + 5, 3, BG)
    c.dot(x0, 12, BG)
    c.dot(x0 + 5, 12, BG)


def icon_mouse_free(c):
    mouse(c, 5)
    c.arrow(3, 7, 0, 7, RED, head=1)
    c.arrow(11, 7, 14, 7, RED, head=1)
    c.arrow(7, 2, 7, 0, RED, head=1)
    c.arrow(7, 13, 7, 15, RED, head=1)


def icon_mouse_horizontal(c):
    c.arrow(7, 7, 0, 7, RED, head=3)
    c.arrow(8, 7, 15, 7, RED, head=3)


def icon_mouse_vertical(c):
    c.arrow(7, 7, 7, 0, RED, head=3)
    c.arrow(7, 8, 7, 15, RED, head=3)


def curved(c, mirror):
    def dot(x, y):
        c.dot(15 - x if mirror else x, y, NAVY)
    for r in (4, 5):  # the bend, from the head's shaft round to the tail going down
        for x in range(-r, r + 1):
            for y in range(-r, 1):
                if r - 0.5 <= (x * x + y * y) ** 0.5 < r + 0.5 and x >= 0:
                    dot(8 + x, 9 + y)
    for x in range(4, 9):
        dot(x, 4)
        dot(x, 5)
    for i in range(4):
        for y in range(4 - i, 6 + i):
            dot(1 + i, y)
    for y in range(9, 14):
        dot(12, y)
        dot(13, y)


ICONS = [
    icon_new, icon_open, icon_save, icon_close,
    icon_header, icon_parts, icon_motion, icon_frame, icon_position,
    shift("M", False), shift("M", True), shift("F", False), shift("F", True),
    shift("P", False), shift("P", True),
    icon_focus, icon_translate, icon_rotate, icon_scale,
    icon_mouse_free, icon_mouse_horizontal, icon_mouse_vertical,
    lambda c: curved(c, False), lambda c: curved(c, True),
]


def strip():
    rows = [[] for _ in range(SIZE)]
    for draw in ICONS:
        canvas = Canvas()
        draw(canvas)
        for y in range(SIZE):
            rows[y] += canvas.px[y]
    return rows


def bmp(rows):
    width, height = len(rows[0]), len(rows)
    stride = ((width * 4 + 31) // 32) * 4
    bits = bytearray()
    for row in reversed(rows):
        packed = bytearray((row[x] << 4) | row[x + 1] for x in range(0, width, 2))
        bits += packed + bytes(stride - len(packed))
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(bits), 2835, 2835, 16, 16)
    offset = 14 + len(info) + len(palette)
    return struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset) + info + palette + bytes(bits)


if __name__ == "__main__":
    assert len(ICONS) == 24
    data = bmp(strip())
    with open("toolbar.bmp", "wb") as out:
        out.write(data)
    if len(sys.argv) == 3 and sys.argv[1] == "--preview":
        subprocess.run(["convert", "toolbar.bmp", "-scale", "800%", sys.argv[2]], check=True)

#!/usr/bin/env python3
"""Writes morvel.ico, the program's icon (resource IDI_APP_16_32): 16 x 16 and
32 x 32 images, 32-bit with alpha. A figure in mid-stride on a blue tile.
Run from this folder; the output is committed."""
import struct

BLUE = (40, 70, 150, 255)
EDGE = (20, 35, 90, 255)
WHITE = (250, 250, 250, 255)
RED = (230, 40, 40, 255)
CLEAR = (0, 0, 0, 0)


def draw(size):
    s = size / 32.0
    px = [[CLEAR] * size for _ in range(size)]

    def dot(x, y, c):
        if 0 <= x < size and 0 <= y < size:
            px[int(y)][int(x)] = c

    def disc(cx, cy, r, c):
        for y in range(size):
            for x in range(size):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                    dot(x, y, c)

    def stroke(x0, y0, x1, y1, width, c):
        steps = int(max(abs(x1 - x0), abs(y1 - y0)) * 4) + 1
        for i in range(steps + 1):
            t = i / steps
            disc(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, width / 2, c)

    # rounded tile
    r = 6 * s
    for y in range(size):
        for x in range(size):
            cx = min(max(x + 0.5, r), size - r)
            cy = min(max(y + 0.5, r), size - r)
            d = ((x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2) ** 0.5
            if d <= r:
                px[y][x] = EDGE if d > r - max(1.0, s) else BLUE
    w = max(1.5, 3.0 * s)
    disc(17 * s, 7 * s, 3.2 * s, WHITE)                 # head
    stroke(16 * s, 11 * s, 14 * s, 19 * s, w, WHITE)    # body
    stroke(15.5 * s, 13 * s, 22 * s, 16 * s, w, WHITE)  # arm forward
    stroke(15.5 * s, 13 * s, 9 * s, 17 * s, w, WHITE)   # arm back
    stroke(14 * s, 19 * s, 20 * s, 26 * s, w, WHITE)   # leg forward
    stroke(14 * s, 19 * s, 9 * s, 26 * s, w, WHITE)    # leg back
    disc(23 * s, 16 * s, 2.2 * s, RED)                  # the selected joint
    return px


def image(size):
    px = draw(size)
    xor = bytearray()
    for row in reversed(px):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(px):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(mask)


sizes = [16, 32]
images = [image(n) for n in sizes]
data = struct.pack("<HHH", 0, 1, len(images))
offset = 6 + 16 * len(images)
for n, img in zip(sizes, images):
    data += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(img), offset)
    offset += len(img)
data += b"".join(images)
with open("morvel.ico", "wb") as out:
    out.write(data)

#!/usr/bin/env python3
"""Writes the PNG, TGA and PPM/PGM seeds of the image fuzzers, small images
in the layouts the decoders branch on (run from this folder). The JPEG seeds
come from ImageMagick when it is installed."""
import os
import shutil
import struct
import subprocess
import tempfile
import zlib


def write(folder, name, data):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png(width, height, depth, colour, rows, extra=b"", interlace=0):
    header = struct.pack(">IIBBBBB", width, height, depth, colour, 0, 0, interlace)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + extra +
            chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


def filtered_rows(height, row_bytes):
    # Every filter type in turn; any bytes make a valid image.
    return b"".join(bytes([y % 5]) + bytes((x * 7 + y * 13) & 0xFF for x in range(row_bytes))
                    for y in range(height))


def adam7_rows(width, height, bytes_per_pixel):
    passes = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2),
              (0, 1, 1, 2)]
    out = b""
    for x0, y0, dx, dy in passes:
        columns = len(range(x0, width, dx))
        lines = len(range(y0, height, dy))
        if columns and lines:
            out += filtered_rows(lines, columns * bytes_per_pixel)
    return out


def png_seeds(folder):
    palette = chunk(b"PLTE", bytes(range(48))) + chunk(b"tRNS", b"\x00\x80\xff")
    write(folder, "palette4_trns.png", png(7, 5, 4, 3, filtered_rows(5, 4), palette))
    write(folder, "rgb16.png", png(4, 3, 16, 2, filtered_rows(3, 4 * 6)))
    write(folder, "grey_alpha.png", png(5, 4, 8, 4, filtered_rows(4, 5 * 2)))
    write(folder, "grey1.png", png(9, 3, 1, 0, filtered_rows(3, 2)))
    write(folder, "rgba_interlaced.png", png(9, 9, 8, 6, adam7_rows(9, 9, 4), interlace=1))
    gamma = chunk(b"gAMA", struct.pack(">I", 45455)) + chunk(b"tEXt", b"Comment\x00seed")
    write(folder, "rgb_ancillary.png", png(3, 3, 8, 2, filtered_rows(3, 9), gamma))


def tga(image_type, width, height, depth, pixels, colour_map=b"", map_depth=0, descriptor=0):
    map_length = len(colour_map) // (map_depth // 8) if map_depth else 0
    header = struct.pack("<BBBHHBHHHHBB", 0, 1 if colour_map else 0, image_type, 0, map_length,
                         map_depth, 0, 0, width, height, depth, descriptor)
    return header + colour_map + pixels


def tga_seeds(folder):
    colour_map = bytes(range(3 * 16))
    write(folder, "mapped8.tga", tga(1, 4, 4, 8, bytes(i % 16 for i in range(16)), colour_map, 24))
    write(folder, "grey8_top_left.tga", tga(3, 5, 3, 8, bytes(range(15)), descriptor=0x20))
    # RLE: a run packet of four, then a raw packet of two.
    write(folder, "grey8_rle.tga", tga(11, 3, 2, 8, b"\x83\x40\x01\x10\x20"))
    write(folder, "rgb16.tga", tga(2, 3, 2, 16, bytes(range(12))))
    write(folder, "mapped8_rle.tga",
          tga(9, 4, 2, 8, b"\x83\x05\x03\x01\x02\x03\x04", colour_map, 24))


def pnm_seeds(folder):
    write(folder, "rgb16.ppm", b"P6\n2 2\n65535\n" + bytes(range(24)))
    write(folder, "comments_maxval1000.pgm", b"P5\n# made by hand\n3 2 # size\n1000\n" + bytes(12))
    write(folder, "maxval1.ppm", b"P6 2 1 1\n" + bytes([0, 1, 1, 1, 0, 1]))


def jpeg_seeds(folder):
    convert = shutil.which("convert")
    if not convert:
        print("convert not found: JPEG seeds left as they are")
        return
    variants = {
        "progressive.jpg": ["-interlace", "Plane"],
        "grey.jpg": ["-colorspace", "Gray"],
        "unsubsampled444.jpg": ["-sampling-factor", "1x1,1x1,1x1"],
    }
    with tempfile.TemporaryDirectory() as scratch:
        for name, options in variants.items():
            out = os.path.join(scratch, name)
            subprocess.run([convert, "-size", "16x8", "gradient:red-blue", "-strip", "-quality", "50"] +
                           options + [out], check=True)
            with open(out, "rb") as f:
                write(folder, name, f.read())


if __name__ == "__main__":
    png_seeds("corpus/png")
    tga_seeds("corpus/tga")
    pnm_seeds("corpus/pnm")
    jpeg_seeds("corpus/jpeg")

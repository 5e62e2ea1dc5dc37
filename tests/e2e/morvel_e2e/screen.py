"""Screenshots of the X display with ImageMagick's import."""

from __future__ import annotations

import struct
import subprocess
from pathlib import Path


def screenshot(env: dict, path: Path, rect: dict | None = None) -> Path:
    """The whole screen, or the screen rectangle rect (the driver's
    {"left", "top", "width", "height"}), as a PNG file."""
    path.parent.mkdir(parents=True, exist_ok=True)
    args = ["import", "-window", "root"]
    if rect:
        left, top = max(0, rect["left"]), max(0, rect["top"])
        width = rect["width"] - (left - rect["left"])
        height = rect["height"] - (top - rect["top"])
        args += ["-crop", f"{width}x{height}+{left}+{top}", "+repage"]
    subprocess.run([*args, str(path)], env=env, check=True, capture_output=True, timeout=60)
    return path


def pixels(env: dict, rect: dict) -> list[list[tuple[int, int, int]]]:
    """The colours of the screen rectangle rect ({"left", "top", "right",
    "bottom"}), row by row."""
    width, height = rect["right"] - rect["left"], rect["bottom"] - rect["top"]
    data = subprocess.run(["import", "-window", "root", "-crop",
                           f"{width}x{height}+{rect['left']}+{rect['top']}", "+repage",
                           "-depth", "8", "rgb:-"], env=env, check=True, capture_output=True,
                          timeout=60).stdout
    colours = [tuple(data[i:i + 3]) for i in range(0, len(data), 3)]
    return [colours[row * width:(row + 1) * width] for row in range(height)]


def png_size(path: Path) -> tuple[int, int]:
    """Width and height from a PNG file's header."""
    with open(path, "rb") as png:
        header = png.read(24)
    if header[:8] != b"\x89PNG\r\n\x1a\n" or header[12:16] != b"IHDR":
        raise ValueError(f"{path} is no PNG file")
    return struct.unpack(">II", header[16:24])

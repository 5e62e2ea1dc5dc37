"""Helpers of the edit-dialog scenarios: opening a dialog by its key, saving
and reading the saved file, and the editor's number parser, so a scenario
can say what typed text becomes."""

import copy
import struct

from .morvel import dump

DIALOG_CLASS = "#32770"


def open_dialog(s, main, key: str, caption: str):
    main.keys(key)
    return s.wait_window(cls=DIALOG_CLASS, title=caption, pid=main.pid)


def save_and_dump(s, main, ID, path):
    """Save (40009) into the document's file, then the file as JSON. Waits
    for the file to be replaced, so an unchanged document is read after the
    save too."""
    before = path.stat().st_mtime_ns
    main.command(ID.CMD_FILE_SAVE)
    s.wait_until(lambda: path.stat().st_mtime_ns != before, True, f"{path.name} saved")
    return dump(s, path)


def enabled(dialog, control_id: int) -> bool:
    return dialog.control(control_id)["enabled"]


def _f32(value: float) -> float:
    return struct.unpack("<f", struct.pack("<f", value))[0]


_SCALE = [_f32(10.0 ** -k) for k in range(8)]


def parse_decimal(text: str, limit: int = 19) -> float:
    """What the dialogs store for a typed number: digits, one point and a
    leading minus; any other character skipped; single-precision steps."""
    text = text[:limit]
    negative, fraction, whole, part, digits = False, False, 0, 0, 0
    for i, c in enumerate(text):
        if c == "-":
            if i != 0:
                return 0.0
            negative = True
        elif c == ".":
            if i == 0 or fraction:
                return 0.0
            fraction = True
        elif c.isdigit() and c.isascii():
            if not fraction:
                whole = min(whole * 10 + int(c), 2**31 - 1)
            elif digits < 7:
                part = min(part * 10 + int(c), 2**31 - 1)
                digits += 1
    value = _f32(part) * _SCALE[digits] + _f32(whole)
    return -value if negative else value


def through_fields(position: dict) -> dict:
    """A position as the dialog reads it back after showing it ("%f")."""
    shown = copy.deepcopy(position)
    for key in ("ambient", "diffuse", "scale", "translation"):
        shown[key] = [parse_decimal(f"{v:f}") for v in position[key]]
    return shown

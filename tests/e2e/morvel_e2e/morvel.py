"""Helpers the Morvel scenarios share: a scratch copy of the example figure,
starting the editor, answering its choosers and reading its status texts."""

import json
import re
import shutil
import subprocess
from pathlib import Path

from .morvel_ids import Ids

MAIN_CLASS = "DX8 Main Window"
SETTINGS_KEY = "HKCU\\Software\\Kelvarin\\Morvel"
IDOK, IDCANCEL, IDYES, IDNO = 1, 2, 6, 7  # the system's button identifiers
TITLE_NEW = "Morvel Version 2.01 [新規]"


def ids(s) -> Ids:
    return Ids(s.paths.source)


def robot_copy(s) -> Path:
    """The example figure in the session's folder: saves never touch the repository."""
    target = s.folder / "robot"
    shutil.copytree(s.paths.source / "examples" / "robot", target)
    return target


def start_editor(s, args=(), cwd=None, env=None):
    app = s.start(s.paths.morvel, list(args), cwd=cwd or s.folder, env=env)
    main = app.wait_main_window(cls=MAIN_CLASS, title_regex=r"^Morvel Version 2\.01 ", timeout=60)
    return app, main


def choose_file(s, main, path: Path, exclude=()):
    """Answers the file chooser the last command opened with path; exclude:
    dialogs of the program that are no chooser (a tool window)."""
    chooser = s.wait_window(cls="#32770", pid=main.pid, exclude=exclude)
    s.driver.command("file_chooser_accept", hwnd=chooser.hwnd, path=s.windows_path(path))
    return chooser


def title_for(s, path: Path) -> str:
    return f"Morvel Version 2.01 [{s.windows_path(path)}]"


def status_number(main, part: int, label: str) -> float:
    """The number in a status text such as "Position-X[1.000000] [←,→]"."""
    text = main.status_texts()[part]
    found = re.match(re.escape(label) + r"\[(-?\d+(?:\.\d+)?)\]", text)
    if not found:
        raise AssertionError(f"status part {part} reads {text!r}, not {label}[...]")
    return float(found.group(1))


def strip_cell_centre(timeline, ID, cell: int) -> tuple[int, int] | None:
    """The screen point at the centre of a cell of the timeline's strip, or
    None while the cell is not wholly in sight."""
    answer = timeline.send_message(ID.kStripCellCenter, cell, control_id=ID.IDC_TIMELINE_STRIP)
    if answer == -1:
        return None
    strip = timeline.control(ID.IDC_TIMELINE_STRIP)["rect"]  # no border: client = window
    return strip["left"] + (answer & 0xFFFF), strip["top"] + ((answer >> 16) & 0xFFFF)


def dump(s, path: Path, code: str | None = None) -> dict:
    """The motion file as mvltool's JSON."""
    args = [str(s.paths.mvltool), "dump", str(path)] + (["--code", code] if code else [])
    result = subprocess.run(args, capture_output=True, check=True)
    return json.loads(result.stdout)


def build(s, document: dict, path: Path) -> Path:
    source = path.with_suffix(".json")
    source.write_text(json.dumps(document, ensure_ascii=False), encoding="utf-8")
    subprocess.run([str(s.paths.mvltool), "build", str(source), "-o", str(path)], check=True,
                   capture_output=True)
    return path

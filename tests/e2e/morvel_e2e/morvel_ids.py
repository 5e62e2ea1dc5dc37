"""The editor's command and control identifiers, and the messages its own
controls take, read from the headers the program and its resource script
are built from, so the scenarios use the same names and never a number of
their own."""

import re
from pathlib import Path

_HEADERS = ["editor/app/command_ids.h", "editor/app/control_ids.h"]
# Window messages of our controls, as "constexpr UINT kName = WM_USER + n;".
_MESSAGE_HEADERS = ["editor/dialogs/win32/frame_strip_control.h"]
WM_USER = 0x0400


def load(source: Path) -> dict:
    ids = {}
    headers = [source / h for h in _HEADERS] + sorted((source / "editor/dialogs").glob("*_ids.h"))
    for path in headers:
        if not path.is_file():
            continue
        for name, value in re.findall(r"^#define\s+(\w+)\s+(\d+)\s*$", path.read_text(), re.M):
            ids[name] = int(value)
    for path in (source / h for h in _MESSAGE_HEADERS):
        if path.is_file():
            for name, offset in re.findall(r"constexpr UINT (\w+) = WM_USER \+ (\d+);",
                                           path.read_text()):
                ids[name] = WM_USER + int(offset)
    return ids


class Ids:
    """Attribute access: ids.CMD_FILE_OPEN."""

    def __init__(self, source: Path):
        self._ids = load(source)

    def items(self):
        return self._ids.items()

    def __getattr__(self, name: str) -> int:
        try:
            return self._ids[name]
        except KeyError:
            raise AttributeError(f"no identifier {name} in the editor's headers") from None

"""Real keyboard and mouse input through xdotool (XTEST) on the X display
the scenario runs on. There is no window manager: a window gets the keyboard
by an explicit X input focus, which Wine takes as activation.

Pointer moves go without xdotool's --sync: the X server applies XTEST events
in order anyway, and --sync waits for seconds when the pointer is already
where it is sent."""

from __future__ import annotations

import subprocess
from typing import Iterable, Sequence

_TIMEOUT_S = 20

BUTTONS = {"left": 1, "middle": 2, "right": 3}


class XInput:
    def __init__(self, env: dict):
        self._env = env

    def run(self, *args) -> str:
        result = subprocess.run(["xdotool", *map(str, args)], env=self._env,
                                capture_output=True, text=True, timeout=_TIMEOUT_S)
        if result.returncode != 0:
            raise RuntimeError(f"xdotool {' '.join(map(str, args))}: {result.stderr.strip()}")
        return result.stdout.strip()

    def focus(self, xid: int) -> None:
        if not xid:
            raise RuntimeError("the window has no X window to focus")
        self.run("windowfocus", "--sync", xid)

    def focused(self) -> int:
        return int(self.run("getwindowfocus"))

    def keys(self, chords: Iterable[str], delay_ms: int = 30) -> None:
        """Chords in xdotool's names: "shift+p", "ctrl+z", "F5", "Left"."""
        self.run("key", "--delay", delay_ms, *chords)

    def type_text(self, text: str, delay_ms: int = 30) -> None:
        self.run("type", "--delay", delay_ms, text)

    def move(self, x: int, y: int) -> None:
        self.run("mousemove", x, y)

    def click(self, x: int, y: int, button: str = "left", repeat: int = 1) -> None:
        self.run("mousemove", x, y, "click", "--repeat", repeat, BUTTONS[button])

    def drag(self, points: Sequence[tuple[int, int]], button: str = "left",
             modifiers: Sequence[str] = (), step_delay_s: float = 0.02) -> None:
        """Presses the button at the first point, moves through the others and
        releases it at the last, holding the modifier keys throughout: one
        xdotool run, so no other input interleaves. The pause between steps
        keeps Wine from merging the moves into one."""
        # A pointer stops at the screen's edge; xdotool would also read a
        # negative coordinate as an option.
        points = [(max(0, x), max(0, y)) for x, y in points]
        args: list = []
        for key in modifiers:
            args += ["keydown", key]
        first = points[0]
        args += ["mousemove", first[0], first[1], "sleep", step_delay_s, "mousedown", BUTTONS[button]]
        previous = first
        for point in points[1:]:
            if point != previous:
                args += ["sleep", step_delay_s, "mousemove", point[0], point[1]]
                previous = point
        args += ["sleep", step_delay_s, "mouseup", BUTTONS[button]]
        for key in reversed(modifiers):
            args += ["keyup", key]
        self.run(*args)


def line_points(start: tuple[int, int], end: tuple[int, int], steps: int) -> list:
    """start, end and steps-1 evenly spaced points between them."""
    steps = max(1, steps)
    return [(round(start[0] + (end[0] - start[0]) * i / steps),
             round(start[1] + (end[1] - start[1]) * i / steps)) for i in range(steps + 1)]

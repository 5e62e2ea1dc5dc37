"""Drives Windows programs under Wine + Xvfb from outside, as a person would.

A scenario (tests/e2e/scenarios/*.py):

    from morvel_e2e import run

    def scenario(s):
        app = s.start(s.paths.morvel, cwd=s.paths.source / "examples")
        main = app.wait_main_window(cls="DX8 Main Window", timeout=30)
        main.keys("ctrl+z")
        main.wait_status(0, "...")

    run(scenario)
"""

from .config import Paths, windows_path
from .errors import DriverError, ScenarioFailure
from .scenario import run
from .session import Program, Session, matches
from .windows import MessageBox, Window

__all__ = ["DriverError", "MessageBox", "Paths", "Program", "ScenarioFailure", "Session",
           "Window", "matches", "run", "windows_path"]

"""Runs a scenario file as a test: exit 0 when it passes, 1 with what it
expected and what it saw when it fails, 77 (skipped) without an X display."""

from __future__ import annotations

import os
import shutil
import signal
import sys
import traceback
from pathlib import Path

from .errors import DriverError, ScenarioFailure
from .session import Session

SKIPPED = 77


def _terminated(signum, frame):
    raise SystemExit(f"ended by signal {signum}")


def run(body, name: str | None = None) -> None:
    name = name or Path(sys.argv[0]).stem
    if not os.environ.get("DISPLAY"):
        print(f"{name}: skipped, no X display (DISPLAY); scripts/test.sh starts Xvfb")
        sys.exit(SKIPPED)
    missing = [tool for tool in ("xdotool", "import") if not shutil.which(tool)]
    if missing:
        print(f"{name}: {', '.join(missing)} missing (scripts/setup.sh installs them)")
        sys.exit(1)
    # Ended from outside (SIGTERM): leave through the session's clean-up,
    # which ends the programs and the prefix's wineserver.
    signal.signal(signal.SIGTERM, _terminated)
    session = None
    try:
        with Session(name) as session:
            body(session)
    except ScenarioFailure as failure:
        print(f"{name}: FAILED: {failure.describe()}", flush=True)
        sys.exit(1)
    except DriverError as error:
        print(f"{name}: FAILED: the driver refused {error.command}: {error.error}")
        traceback.print_exc()
        sys.exit(1)
    finally:
        if session:
            for what, seconds in session.timings.items():
                print(f"{name}: {what}: {seconds:.2f} s", flush=True)
    print(f"{name}: passed")

#!/usr/bin/env python3
"""Start-up benchmark under Wine: from starting the program to its first
presented frame, Morvel.exe on the robot against a minimal Direct3D 8 window
program, alternating, in one session (one prefix, one driver). Morvel's frame
is on screen when the status bar shows the robot's camera (written right after
its first DrawFrame of the opened file); the minimal program retitles itself
after its Present. Both are watched by the same polling. Prints the medians
and their ratio.

    DISPLAY=:N python3 tests/bench/startup_bench.py [RUNS]
"""

import statistics
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "e2e"))
from morvel_e2e import Session  # noqa: E402
from morvel_e2e.morvel import MAIN_CLASS, robot_copy  # noqa: E402

POLL = 0.005


def wait(probe, timeout=60.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if probe():
            return time.monotonic()
        time.sleep(POLL)
    raise RuntimeError("timed out")


def first_window(s, cls, start):
    deadline = start + 60
    while time.monotonic() < deadline:
        found = s.windows(cls=cls, visible=True)
        if found:
            return found[0]
        time.sleep(POLL)
    raise RuntimeError(f"no {cls} window")


def time_morvel(s, robot):
    start = time.monotonic()
    app = s.start(s.paths.morvel, ["robot.mvl"], cwd=robot)
    main = first_window(s, MAIN_CLASS, start)
    end = wait(lambda: main.status_texts()[1] == "View-Rotation-Y[-30] [←,→]")
    app.stop()
    return end - start


def time_minimal(s, exe):
    start = time.monotonic()
    app = s.start(exe)
    window = first_window(s, "MinimalD3D8", start)
    end = wait(lambda: window.title == "presented")
    app.stop()
    return end - start


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 5
    with Session("startup_bench") as s:
        robot = robot_copy(s)
        minimal = s.paths.morvel.parent / "minimal_d3d8_window.exe"
        time_minimal(s, minimal)  # warm Wine's caches for both
        time_morvel(s, robot)
        morvel, baseline = [], []
        for _ in range(runs):
            baseline.append(time_minimal(s, minimal))
            morvel.append(time_morvel(s, robot))
        m, b = statistics.median(morvel), statistics.median(baseline)
        print(f"minimal Direct3D 8 window: median {b * 1000:.0f} ms  {[round(t * 1000) for t in baseline]}")
        print(f"Morvel.exe on the robot:   median {m * 1000:.0f} ms  {[round(t * 1000) for t in morvel]}")
        print(f"ratio Morvel / minimal: {m / b:.2f}")


if __name__ == "__main__":
    main()

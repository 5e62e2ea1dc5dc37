"""One scenario's world: a fresh Wine prefix copied from the build tree's
template, the driver running in it, the programs the scenario starts, and
the checks it makes. Everything waits by polling window state with a
timeout; nothing sleeps a fixed time."""

from __future__ import annotations

import os
import re
import shutil
import signal
import subprocess
import sys
import time
from pathlib import Path

from . import prefix as prefixes
from .config import WINE, Paths, paths_from_environment, windows_path
from .driver import Driver
from .errors import DriverError, ScenarioFailure
from .screen import pixels, screenshot
from .windows import MessageBox, Window
from .xinput import XInput

_POLL_S = 0.05


def matches(value, expected) -> bool:
    """expected: the value itself, a compiled regular expression searched in
    it, or a predicate."""
    if isinstance(expected, re.Pattern):
        return isinstance(value, str) and expected.search(value) is not None
    if callable(expected):
        return bool(expected(value))
    return value == expected


class Program:
    """A Windows program started under Wine, known by its Linux process id
    (the same process runs the Windows program)."""

    def __init__(self, session: Session, exe: Path, args, cwd: Path, log: Path,
                 env: dict | None = None):
        self.session = session
        self.exe = exe
        self.log_path = log
        self._log = open(log, "wb")
        self.started = time.monotonic()
        self.process = subprocess.Popen([WINE, str(exe), *map(str, args)], cwd=cwd,
                                        env={**session.env, **(env or {})},
                                        stdin=subprocess.DEVNULL,
                                        stdout=self._log, stderr=subprocess.STDOUT)
        self.pid = self.process.pid
        self.windows_pid: int | None = None

    def wait_main_window(self, cls: str | None = None, title: str | None = None,
                         title_regex: str | None = None, timeout: float = 30) -> Window:
        """The program's first top-level window; records how long it took."""
        window = self.session.wait_window(cls=cls, title=title, title_regex=title_regex,
                                          timeout=timeout)
        self.windows_pid = window.pid
        self.session.timings.setdefault(f"{self.exe.name} start to first window",
                                        time.monotonic() - self.started)
        return window

    def running(self) -> bool:
        return self.process.poll() is None

    def wait_exit(self, timeout: float = 15) -> int:
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise self.session.failure(f"{self.exe.name} ends", "exited", "still running")

    def stop(self) -> None:
        if self.running():
            os.kill(self.pid, signal.SIGTERM)
            try:
                self.process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                os.kill(self.pid, signal.SIGKILL)
                self.process.wait()
        self._log.close()


class Session:
    def __init__(self, name: str, paths: Paths | None = None, display: str | None = None):
        self.name = name
        self.paths = paths or paths_from_environment()
        self.display = display or os.environ.get("DISPLAY")
        if not self.display:
            raise RuntimeError("no X display: set DISPLAY (scripts/test.sh starts Xvfb)")
        self.folder = self.paths.work / "sessions" / name
        self.prefix = self.folder / "prefix"
        self.env = prefixes.wine_environment(self.prefix, self.display)
        self.input = XInput(self.env)
        self.programs: list[Program] = []
        self.timings: dict[str, float] = {}
        self.driver: Driver | None = None
        self.failed = False

    # Set-up and tear-down
    def __enter__(self) -> Session:
        try:
            self._set_up()
        except BaseException:
            self.__exit__(*sys.exc_info())
            raise
        return self

    def _set_up(self) -> None:
        template, made = prefixes.ensure_template(self.paths.work, self.paths.driver)
        if made:
            self.timings["template prefix (wineboot -i, fonts)"] = made
        start = time.monotonic()
        shutil.rmtree(self.folder, ignore_errors=True)
        self.folder.mkdir(parents=True)
        prefixes.copy_prefix(template, self.prefix)
        self.timings["prefix copy"] = time.monotonic() - start
        start = time.monotonic()
        self.driver = Driver(self.paths.driver, self.env, self.folder / "driver.log")
        self.driver.command("screen_size")
        self.timings["driver start (wineserver, services)"] = time.monotonic() - start

    def __exit__(self, kind, error, trace) -> None:
        if kind is not None:
            self.failed = True
            self._keep_evidence()
        for program in self.programs:
            program.stop()
        if self.driver:
            self.driver.close()
        prefixes.kill_wineserver(self.prefix)
        if not self.failed and not os.environ.get("MORVEL_E2E_KEEP"):
            shutil.rmtree(self.prefix, ignore_errors=True)

    def _keep_evidence(self) -> None:
        if not self.folder.is_dir():
            return
        try:
            path = self.screenshot(f"{self.name}-failure")
            print(f"screenshot of the moment: {path}", file=sys.stderr)
        except Exception as error:  # the failure itself matters more
            print(f"no screenshot: {error}", file=sys.stderr)
        print(f"prefix and logs kept in {self.folder}", file=sys.stderr)
        for program in self.programs:
            tail = program.log_path.read_bytes()[-2000:].decode("utf-8", "replace")
            if tail.strip():
                print(f"--- output of {program.exe.name}:\n{tail}", file=sys.stderr)

    # Programs
    def start(self, exe, args=(), cwd=None, env: dict | None = None) -> Program:
        """env: variables for this program on top of the session's, such as
        WINEDEBUG channels whose trace goes to its log."""
        exe = Path(exe)
        if not exe.is_file():
            raise self.failure(f"program to start exists: {exe}")
        log = self.folder / f"{exe.stem}-{len(self.programs)}.log"
        program = Program(self, exe, args, Path(cwd or self.folder), log, env)
        self.programs.append(program)
        return program

    def run_console(self, exe, args=(), cwd=None, timeout: float = 120):
        """Runs a Windows console program in this prefix to its end."""
        return subprocess.run([WINE, str(exe), *map(str, args)], cwd=cwd or self.folder,
                              env=self.env, capture_output=True, timeout=timeout)

    def windows_path(self, path) -> str:
        return windows_path(path)

    # Windows
    def windows(self, **filters) -> list[Window]:
        answer = self.driver.command("list_windows", **_filters(**filters))
        return [Window(self, info) for info in answer["windows"]]

    def wait_window(self, cls=None, title=None, title_regex=None, pid=None, owner=None,
                    timeout: float = 10, exclude=()) -> Window:
        args = _filters(cls=cls, title=title, title_regex=title_regex, pid=pid, owner=owner)
        args["exclude"] = [w.hwnd if isinstance(w, Window) else w for w in exclude]
        try:
            answer = self.driver.command("wait_window", timeout_ms=int(timeout * 1000), **args)
        except DriverError as error:
            seen = [(w.cls, w.info["title"]) for w in self.windows(pid=pid, visible=True)]
            raise self.failure(f"a window appears within {timeout} s", args, seen) from error
        return Window(self, answer["window"])

    def wait_message_box(self, pid=None, owner=None, timeout: float = 10) -> MessageBox:
        args = {"pid": pid} if pid else {}
        if owner is not None:
            args["owner"] = owner.hwnd if isinstance(owner, Window) else owner
        answer = self.wait_until(lambda: self._message_box(args), lambda a: a is not None,
                                 "a message box", timeout)
        return MessageBox(self, answer)

    def _message_box(self, args):
        try:
            return self.driver.command("message_box", **args)
        except DriverError:
            return None

    # Checks
    def failure(self, what: str, expected=None, seen=None) -> ScenarioFailure:
        ended = [f"{p.exe.name} ended with exit code {p.process.returncode}"
                 for p in self.programs if not p.running()]
        if ended:
            what += " [" + "; ".join(ended) + "]"
        return ScenarioFailure(what, expected, seen)

    def check(self, condition, what: str, expected=None, seen=None) -> None:
        if not condition:
            raise self.failure(what, expected, seen)

    def expect_equal(self, seen, expected, what: str) -> None:
        if not matches(seen, expected):
            raise self.failure(what, _describe(expected), seen)

    def wait_until(self, probe, expected, what: str, timeout: float = 10):
        """Polls probe() until its value matches expected; fails with the last
        value seen. A control the window is refilling may refuse a query for
        a moment: a refusal counts as a value that does not match yet."""
        deadline = time.monotonic() + timeout
        while True:
            try:
                seen = probe()
            except DriverError as refused:
                seen = f"refused: {refused}"
            if matches(seen, expected):
                return seen
            if time.monotonic() >= deadline:
                raise self.failure(f"{what} (waited {timeout} s)", _describe(expected), seen)
            time.sleep(_POLL_S)

    # Registry, screen
    def reg_query(self, key: str) -> dict:
        """{name: {"type", "data"}} of a registry key in this prefix."""
        return self.driver.command("reg_query", key=key)["values"]

    def reg_set(self, key: str, name: str, data) -> None:
        """A REG_SZ (text) or REG_DWORD (int) value."""
        self.driver.command("reg_set", key=key, name=name, data=data)

    def pixels(self, rect: dict) -> list[list[tuple[int, int, int]]]:
        """The colours shown in a screen rectangle now, row by row."""
        return pixels(self.env, rect)

    def screenshot(self, name: str, window: Window | None = None) -> Path:
        rect = window.refresh()["rect"] if window else None
        return screenshot(self.env, self.paths.screenshots / f"{name}.png", rect)


def _filters(cls=None, title=None, title_regex=None, pid=None, owner=None, visible=None) -> dict:
    args = {"class": cls, "title": title, "title_regex": title_regex, "pid": pid,
            "visible": visible}
    if owner is not None:
        args["owner"] = owner.hwnd if isinstance(owner, Window) else owner
    return {key: value for key, value in args.items() if value is not None}


def _describe(expected):
    if isinstance(expected, re.Pattern):
        return f"text matching /{expected.pattern}/"
    if callable(expected):
        return getattr(expected, "__doc__", None) or getattr(expected, "__name__", "a predicate")
    return expected

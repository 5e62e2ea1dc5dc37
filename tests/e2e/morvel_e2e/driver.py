"""The client side of morvel_driver.exe: one JSON command per line in, one
JSON answer per line out."""

from __future__ import annotations

import json
import os
import select
import subprocess
import time
from pathlib import Path

from .config import WINE
from .errors import DriverError

# Beyond a command's own timeout, how long the driver may take to answer.
_ANSWER_MARGIN_S = 15.0


class Driver:
    def __init__(self, exe: Path, env: dict, log: Path):
        self._log = open(log, "wb")
        self._process = subprocess.Popen(
            [WINE, str(exe)], env=env, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
            stderr=self._log)
        self._buffer = b""
        self._seq = 0

    def command(self, cmd: str, **args) -> dict:
        """Sends one command; returns its answer, or raises DriverError."""
        self._seq += 1
        request = {"cmd": cmd, "seq": self._seq, **args}
        timeout = args.get("timeout_ms", 0) / 1000.0 + _ANSWER_MARGIN_S
        answer = self.exchange(json.dumps(request, ensure_ascii=False).encode("utf-8"), cmd,
                               timeout)
        if answer.get("seq") != self._seq:
            raise DriverError(cmd, f"answer out of step: {answer}")
        if not answer.pop("ok", False):
            raise DriverError(cmd, answer.get("error", "no reason given"))
        answer.pop("cmd", None)
        answer.pop("seq", None)
        return answer

    def exchange(self, line: bytes, cmd: str = "?", timeout: float = _ANSWER_MARGIN_S) -> dict:
        """Sends one raw line and returns the raw answer."""
        try:
            self._process.stdin.write(line + b"\n")
            self._process.stdin.flush()
        except BrokenPipeError:
            raise DriverError(cmd, "the driver has exited") from None
        return json.loads(self._read_line(cmd, timeout).decode("utf-8"))

    def _read_line(self, cmd: str, timeout: float) -> bytes:
        deadline = time.monotonic() + timeout
        fd = self._process.stdout.fileno()
        while b"\n" not in self._buffer:
            left = deadline - time.monotonic()
            if left <= 0:
                raise DriverError(cmd, f"no answer within {timeout:.0f} s")
            ready, _, _ = select.select([fd], [], [], left)
            if ready:
                chunk = os.read(fd, 65536)
                if not chunk:
                    raise DriverError(cmd, "the driver has exited")
                self._buffer += chunk
        line, _, self._buffer = self._buffer.partition(b"\n")
        return line

    def close(self) -> None:
        if self._process.poll() is None:
            try:
                self._process.stdin.close()
                self._process.wait(timeout=10)
            except (BrokenPipeError, subprocess.TimeoutExpired):
                self._process.kill()
                self._process.wait()
        self._log.close()

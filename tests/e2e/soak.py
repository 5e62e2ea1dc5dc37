#!/usr/bin/env python3
"""A soak of the real editor: Morvel.exe under Wine on the example figure,
fed random but valid user input for a given time — keys of the key table with
random Shift and Ctrl, drags with both buttons, menu commands, dialogs driven
with random rows, values (nonsense included) and buttons, questions answered
at random, saves into a scratch folder. Autosave runs with a short interval
and the editor is killed now and then: each kill is followed by a start
that must offer the recovery copy, which is restored, kept or discarded at
random. A crash (the program gone without a close or a kill), a hang (no
answer for 10 s), a saved file or recovery copy that does not load, or an
offered copy that cannot be restored ends the run with a failure. Every choice comes from one seed: the same seed and
action count replay the same run; the input log is kept beside the session.

    python3 tests/e2e/soak.py --minutes 30 [--seed N] [--actions N]
"""

import argparse
import json
import os
import random
import signal
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from morvel_e2e import DriverError, Session  # noqa: E402
from morvel_e2e.morvel import MAIN_CLASS, ids, robot_copy, start_editor  # noqa: E402

# The key table's keys, and one it does not know; F12 (close) comes rarely.
KEYS = ["Left", "Right", "Up", "Down", "Home", "End", "f", "m", "p", "r", "s", "z", "y",
        "F5", "F6", "F7", "F8", "F9", "space", "a"]
CLOSE_KEY_CHANCE = 0.01
TEXTS = ["0", "1", "-1", "12.5", "-0.25", "100.000000", "1,000", "1e3", ".5", "1.2.3", "-", "", "abc",
         "テスト", "99999999999999999999", "70000", "-32769", " 5", "x" * 30, "０１２"]
HANG_SECONDS = 10
# Dialogs over dialogs: a chooser or question over an edit dialog over the main window.
MAX_DEPTH = 6
# Modeless windows of the main window: shown and hidden by their commands,
# never answered like a dialog.
TOOL_WINDOW_TITLES = ("タイムライン", "編集履歴")
# Autosave every two seconds of unsaved changes; a kill every 50 actions or so.
AUTOSAVE_SECONDS = 2
KILL_CHANCE = 0.02
SETTINGS_KEY = "HKCU\\Software\\Kelvarin\\Morvel"
RECOVERY_TITLE = "自動保存の回復"


class Failure(Exception):
    pass


class Soak:
    def __init__(self, s, seed: int, log_path: Path):
        self.s = s
        self.rng = random.Random(seed)
        self.log = log_path.open("w", encoding="utf-8")
        self.ID = ids(s)
        self.robot = robot_copy(s)
        self.scratch = s.folder / "scratch"
        self.scratch.mkdir()
        # The windows being answered now, outermost first: a nested look for
        # new windows skips them.
        self.active = []
        self.commands = [value for name, value in self.ID.items()
                         if name.startswith("CMD_") and name not in
                         ("CMD_FILE_EXIT", "CMD_HELP_CONTENTS", "CMD_HELP_INDEX",
                          "CMD_OPEN_PENDING_FILE", "CMD_RECENT_FILE_4")]
        self.steps = 0
        self.restarts = 0
        self.kills = 0
        self.offers = 0
        self.recoveries = 0
        self.copies_checked = 0
        self.closing = False
        self.start()

    def record(self, **entry):
        entry["step"] = self.steps
        self.log.write(json.dumps(entry, ensure_ascii=False) + "\n")
        self.log.flush()

    def start(self):
        # The short interval again, whatever a random 自動保存 dialog set.
        self.s.reg_set(SETTINGS_KEY, "AutosaveSeconds", str(AUTOSAVE_SECONDS))
        copies = self.recovery_copies()
        self.app, self.main = start_editor(self.s, ["robot.mvl"], cwd=self.robot)
        self.closing = False
        if copies:
            self.recover()

    # Autosave and kills
    def recovery_copies(self):
        return sorted(self.s.prefix.glob("drive_c/users/*/AppData/Local/Morvel/Recovery/morvel-*.mvl"))

    def check_copies_load(self):
        for copy in self.recovery_copies():
            result = subprocess.run([str(self.s.paths.mvltool), "info", str(copy)], capture_output=True)
            self.copies_checked += 1
            if result.returncode != 0 and b"user code" not in result.stderr:
                raise Failure(f"a recovery copy that does not load: {copy.name}: "
                              f"{result.stderr.decode('utf-8', 'replace').strip()}")

    def kill(self):
        self.record(action="kill")
        os.kill(self.app.pid, signal.SIGKILL)
        self.app.process.wait()
        self.kills += 1
        self.check_copies_load()
        self.start()

    def recover(self):
        """The start-up question about the newest copy, answered at random;
        a restore must bring the copy back."""
        dialog = self.s.wait_window(cls="#32770", title=RECOVERY_TITLE, pid=self.main.pid, timeout=20)
        self.offers += 1
        choice = self.rng.choices(["restore", "keep", "discard"], weights=[6, 2, 2])[0]
        self.record(action="recovery", choice=choice)
        if choice == "keep":
            dialog.click(self.ID.IDC_RECOVERY_KEEP)
            self.wait_gone(dialog)
            return
        if choice == "discard":
            dialog.click(self.ID.IDC_RECOVERY_DISCARD)
            self.wait_gone(dialog)
            box = self.s.wait_message_box(pid=self.main.pid)
            button = self.rng.choice([b["id"] for b in box.buttons])
            self.record(action="message_box", text=box.message, button=button)
            box.press(button_id=button)
            self.wait_gone(box)
            return
        dialog.click(self.ID.IDC_RECOVERY_RESTORE)
        self.wait_gone(dialog)
        # A restored document is unsaved: the file queued on the command line
        # asks before replacing it. A protected copy asks for its code first.
        deadline = time.monotonic() + HANG_SECONDS
        while time.monotonic() < deadline:
            try:
                box = self.s.driver.command("message_box", pid=self.main.pid)
            except DriverError:
                box = None
            if box and "読み込めませんでした" in box.get("text", ""):
                raise Failure(f"an offered recovery copy was not restored: {box.get('text')}")
            if box and box.get("caption") == "開く" and "破棄" in box.get("text", ""):
                self.recoveries += 1
                self.record(action="recovered")
                # Keep the restored document and go on editing it.
                self.s.driver.command("click", hwnd=box["hwnd"], id=7)
                return
            if any(w.title == "ファイル読込" for w in self.extra_windows()):
                self.record(action="recovery_user_code")
                self.handle_windows()
                return
            if box:  # the parts' warning: answered, then the question follows
                self.s.driver.command("click", hwnd=box["hwnd"], id=box["buttons"][0]["id"])
            time.sleep(0.05)
        raise Failure("a restore neither replaced the document nor said why")

    # Health
    def check_alive(self):
        if not self.app.running():
            if self.closing:
                self.restarts += 1
                self.record(action="restart")
                self.start()
                return
            raise Failure(f"Morvel.exe ended without a close (exit code {self.app.process.returncode})")
        try:
            answer = self.s.driver.command("responsive", hwnd=self.main.hwnd, timeout_ms=HANG_SECONDS * 1000)
        except DriverError:
            if not self.app.running():
                return self.check_alive()
            raise
        if not answer["responsive"]:
            raise Failure(f"the main window gave no answer for {HANG_SECONDS} s")

    # Main-window input
    def act(self):
        if self.rng.random() < KILL_CHANCE:
            self.kill()
            return
        kind = self.rng.choices(["key", "drag", "command"], weights=[5, 2, 3])[0]
        if kind == "key":
            key = "F12" if self.rng.random() < CLOSE_KEY_CHANCE else self.rng.choice(KEYS)
            mods = [m for m in ("shift", "ctrl") if self.rng.random() < 0.3]
            chord = "+".join(mods + [key])
            self.record(action="key", chord=chord)
            self.closing = key == "F12"
            self.main.keys(chord)
        elif kind == "drag":
            w, h = self.main.client["width"], self.main.client["height"]
            start = (self.rng.randrange(20, w - 20), self.rng.randrange(60, h - 40))
            end = (start[0] + self.rng.randrange(-80, 81), start[1] + self.rng.randrange(-80, 81))
            button = self.rng.choice(["left", "right"])
            steps = self.rng.randrange(1, 8)
            self.record(action="drag", start=start, end=end, button=button, steps=steps)
            self.main.drag(start, end, button=button, steps=steps)
        else:
            command = self.rng.choice(self.commands)
            self.record(action="command", id=command)
            self.main.command(command)

    # Windows that came up
    def extra_windows(self):
        windows = self.s.windows(pid=self.main.pid, visible=True)
        return [w for w in windows if w.cls not in (MAIN_CLASS, "Morvel View", "IME", "tooltips_class32")
                and w.info.get("title") not in TOOL_WINDOW_TITLES]

    def handle_windows(self, depth=0):
        for _ in range(40):
            deadline = time.monotonic() + 0.4
            found = []
            while time.monotonic() < deadline and not found:
                if not self.app.running():
                    return
                found = [w for w in self.extra_windows()
                         if w.cls == "#32770" and w.hwnd not in self.active]
                if not found:
                    time.sleep(0.05)
            if not found:
                return
            if depth > MAX_DEPTH:
                raise Failure(f"windows nested deeper than {MAX_DEPTH}: {[w.info['title'] for w in found]}")
            # A window under a modal one (a dialog under its chooser or its
            # message box) is disabled; the enabled one is the one to answer.
            enabled = [w for w in found if w.info.get("enabled", True)]
            if not enabled:  # the modal window on top is not up yet
                time.sleep(0.05)
                continue
            window = enabled[0]
            try:
                self.handle(window, depth)
            except DriverError as error:
                # A window may close between being listed and being read
                # (a message box answered by its own timer, a chooser
                # ending): that is the program working, not a fault.
                if "no such window" not in str(error):
                    raise
                self.record(action="window_gone", hwnd=window.hwnd)

    def handle(self, window, depth):
        self.active.append(window.hwnd)
        try:
            self.answer(window, depth)
        finally:
            self.active.pop()

    def answer(self, window, depth):
        try:
            box = self.s.driver.command("message_box", pid=self.main.pid)
        except DriverError:
            box = None
        if box and box.get("hwnd") == window.hwnd:
            buttons = [b["id"] for b in box["buttons"]]
            choice = self.rng.choice(buttons)
            self.record(action="message_box", text=box.get("text"), button=choice)
            if box.get("caption") == "閉じる" and choice == 6:
                self.closing = True
            self.s.driver.command("click", hwnd=window.hwnd, id=choice)
            self.wait_gone(window)
            return
        controls = window.controls()
        ids_ = {c["id"] for c in controls}
        title = window.title
        if 706 in ids_ and 707 in ids_:
            self.colour_chooser(window)
        elif any(c["class"].lower() in ("comboboxex32",) for c in controls) or 1148 in ids_ or 1152 in ids_:
            self.file_chooser(window, title)
        else:
            self.dialog(window, controls, depth)

    def wait_gone(self, window):
        try:
            window.wait_gone(timeout=HANG_SECONDS)
        except Exception:
            if self.app.running():
                raise

    def colour_chooser(self, window):
        if self.rng.random() < 0.3:
            self.record(action="colour", choice="cancel")
            window.click(2)
        else:
            rgb = [self.rng.randrange(256) for _ in range(3)]
            self.record(action="colour", rgb=rgb)
            self.s.driver.command("color_chooser_accept", hwnd=window.hwnd, red=rgb[0], green=rgb[1], blue=rgb[2])
        self.wait_gone(window)

    def file_chooser(self, window, title):
        path = None
        if "保存" in title:
            suffix = ".mvx" if "エクスポート" in title else ".mvl"
            path = self.scratch / f"soak{self.rng.randrange(4)}{suffix}"
        elif "エクスポート" in title:
            found = sorted(self.scratch.glob("*.mvx"))
            path = self.rng.choice(found) if found else None
        elif "X-File" in title:
            path = self.rng.choice(sorted(self.robot.glob("*.x")))
        elif "Morvel" in title:
            found = sorted(self.scratch.glob("*.mvl")) + [self.robot / "robot.mvl"]
            path = self.rng.choice(found)
        if path is None or self.rng.random() < 0.15:
            self.record(action="chooser", title=title, choice="cancel")
            window.click(2)
        else:
            self.record(action="chooser", title=title, path=str(path))
            self.s.driver.command("file_chooser_accept", hwnd=window.hwnd, path=self.s.windows_path(path))
        # An overwrite question may come first; it is handled as the next window.
        self.handle_windows_of(window, depth=1)

    def handle_windows_of(self, window, depth):
        for _ in range(5):
            try:
                window.wait_gone(timeout=2)
                return
            except Exception:
                if not self.app.running():
                    return
                self.handle_windows(depth + 1)

    def dialog(self, window, controls, depth):
        lists = [c for c in controls if c["class"].lower() == "listbox" and c["enabled"] and c["visible"]]
        edits = [c for c in controls if c["class"].lower() == "edit" and c["enabled"] and c["visible"]]
        buttons = [c for c in controls if c["class"].lower() == "button" and c["enabled"] and c["visible"]
                   and c["id"] not in (1, 2, 1023)]
        for _ in range(self.rng.randrange(1, 9)):
            if not self.app.running():
                return
            info = window.refresh()
            if not info.get("visible", True):
                return
            if not info.get("enabled", True):  # a chooser or question of its own is up
                self.handle_windows(depth + 1)
                continue
            kind = self.rng.choice(["list", "edit", "button"])
            try:
                if kind == "list" and lists:
                    control = self.rng.choice(lists)
                    count = window.list_items(control["id"]).get("count", 0)
                    if count:
                        row = self.rng.randrange(count)
                        self.record(action="dialog_row", id=control["id"], row=row)
                        if self.rng.random() < 0.3:
                            window.double_click_row(control["id"], row=row)
                        else:
                            window.select_row(control["id"], row=row)
                elif kind == "edit" and edits:
                    control = self.rng.choice(edits)
                    text = self.rng.choice(TEXTS)
                    self.record(action="dialog_text", id=control["id"], text=text)
                    window.set_text(control["id"], text)
                elif buttons:
                    control = self.rng.choice(buttons)
                    self.record(action="dialog_button", id=control["id"], text=control.get("text"))
                    window.click(control["id"])
                    self.handle_windows(depth + 1)
            except DriverError as error:
                self.record(action="dialog_refused", error=str(error))
        end = 1023 if self.rng.random() < 0.6 and any(c["id"] == 1023 for c in controls) else 2
        self.record(action="dialog_end", id=end)
        try:
            window.click(end)
        except DriverError:
            pass
        self.handle_windows_of(window, depth)

    def finish(self):
        """Saves under a new name through the chooser and checks every saved file loads."""
        self.closing = False
        final = self.scratch / "final.mvl"
        self.main.command(self.ID.CMD_FILE_SAVE_AS)
        self.handle_windows_final(final)
        self.check_alive()
        bad = []
        for path in sorted(self.scratch.glob("*.mvl")):
            result = subprocess.run([str(self.s.paths.mvltool), "info", str(path)], capture_output=True)
            if result.returncode not in (0,) and b"user code" not in result.stderr:
                bad.append((path.name, result.stderr.decode("utf-8", "replace").strip()))
        self.check_copies_load()
        if not final.exists():
            raise Failure("the last save did not write final.mvl")
        if bad:
            raise Failure(f"saved files that do not load: {bad}")

    def handle_windows_final(self, final):
        for _ in range(10):
            found = [w for w in self.extra_windows() if w.cls == "#32770"]
            if not found:
                time.sleep(0.2)
                continue
            window = found[-1]
            try:
                box = self.s.driver.command("message_box", pid=self.main.pid)
            except DriverError:
                box = None
            if box and box.get("hwnd") == window.hwnd:
                self.s.driver.command("click", hwnd=window.hwnd, id=box["buttons"][0]["id"])
                self.wait_gone(window)
                continue
            self.s.driver.command("file_chooser_accept", hwnd=window.hwnd, path=self.s.windows_path(final))
            self.wait_gone(window)
            if final.exists():
                return


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--minutes", type=float, default=1.0)
    parser.add_argument("--seed", type=int, default=None)
    parser.add_argument("--actions", type=int, default=None, help="stop after this many actions")
    args = parser.parse_args()
    seed = args.seed if args.seed is not None else random.randrange(1 << 31)
    with Session("soak") as s:
        log = s.folder / f"soak-{seed}.log"
        print(f"soak: seed {seed}, input log {log}", flush=True)
        soak = Soak(s, seed, log)
        end = time.monotonic() + args.minutes * 60
        try:
            while time.monotonic() < end and (args.actions is None or soak.steps < args.actions):
                soak.steps += 1
                soak.check_alive()
                soak.act()
                soak.handle_windows()
            soak.check_alive()
            soak.finish()
        except Failure as failure:
            s.failed = True
            s.screenshot(f"soak-{seed}-failure")
            print(f"soak: {soak.kills} kills, {soak.recoveries} recoveries before the failure",
                  file=sys.stderr)
            print(f"soak: FAILED after {soak.steps} actions: {failure}\n"
                  f"soak: replay with --seed {seed} --actions {soak.steps}; log {log}", file=sys.stderr)
            raise SystemExit(1)
        print(f"soak: {soak.steps} actions in {args.minutes:g} min, {soak.restarts} restarts after a "
              f"close, {soak.kills} kills, {soak.offers} recovery questions, {soak.recoveries} "
              f"recoveries, {soak.copies_checked} recovery copies checked, 0 failures: no crash, "
              f"no hang; every saved file and recovery copy loads")


if __name__ == "__main__":
    main()

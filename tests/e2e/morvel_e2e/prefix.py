"""Wine prefixes for the scenarios: one template per build tree, made once
with `wineboot -i` and the Japanese font mapping, and a fresh copy of it for
every scenario.

A booted prefix is about 700 MB, almost all of it Wine's own DLLs and
programs. Those are read, never written, so a copy links them to the
template's files and copies only the rest (registry, user folders): a copy
takes well under a second."""

from __future__ import annotations

import fcntl
import json
import os
import shutil
import subprocess
import time
from pathlib import Path

from .config import WINE, WINESERVER

# Font names the programs and Wine's own dialogs ask for, mapped to the IPA
# fonts (fonts-ipafont-gothic). "MS UI Gothic" is Wine's Japanese UI font
# (menus, message boxes, status bars, "MS Shell Dlg"); without it Wine falls
# back to a monospaced font and its own dialogs clip their labels.
# Registry values are set through the driver, which writes them as Unicode.
FONT_REPLACEMENTS = {
    "ＭＳ ゴシック": "IPAGothic",
    "ＭＳ Ｐゴシック": "IPAPGothic",
    "MS Gothic": "IPAGothic",
    "MS PGothic": "IPAPGothic",
    "MS UI Gothic": "IPAPGothic",
}
REPLACEMENTS_KEY = "HKCU\\Software\\Wine\\Fonts\\Replacements"

# Without a window manager, Wine waits two seconds for one to confirm every
# managed window it hides (each closed dialog and message box). Unmanaged,
# Wine draws the frames and title bars itself and hides windows at once.
# A crashing program ends at once, its backtrace in its log, instead of
# waiting behind Wine's crash dialog.
PREFIX_SETTINGS = [
    (REPLACEMENTS_KEY, name, font) for name, font in FONT_REPLACEMENTS.items()
] + [
    ("HKCU\\Software\\Wine\\X11 Driver", "Managed", "N"),
    ("HKCU\\Software\\Wine\\WineDbg", "ShowCrashDialog", 0),
]

# Wine draws caption buttons, menu check marks and scroll arrows with
# Marlett glyphs; it finds the font (fonts-wine) only in the prefix's Fonts.
MARLETT = Path("/usr/share/wine/fonts/marlett.ttf")

# Files Wine only reads once a prefix is booted.
_LINKED_SUFFIXES = (
    ".dll", ".exe", ".sys", ".drv", ".ocx", ".cpl", ".acm", ".ax", ".tlb", ".fon",
    ".ttf", ".ttc", ".nls", ".mui", ".com", ".ds", ".msstyles", ".vxd", ".dll16",
    ".exe16", ".drv16", ".mod16",
)


def wine_environment(prefix: Path, display: str | None = None) -> dict:
    env = dict(os.environ)
    env.update(
        WINEPREFIX=str(prefix),
        WINEDEBUG=os.environ.get("MORVEL_E2E_WINEDEBUG", "-all"),
        LANG="ja_JP.UTF-8",
        LC_ALL="ja_JP.UTF-8",
        # No menu entries or desktop files in the user's home for shortcuts.
        WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d",
    )
    if display:
        env["DISPLAY"] = display
    return env


def kill_wineserver(prefix: Path) -> None:
    subprocess.run([WINESERVER, "-k"], env=wine_environment(prefix),
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)


def _stamp() -> str:
    """What a template depends on: Wine and our settings."""
    version = subprocess.run([WINE, "--version"], capture_output=True, text=True).stdout.strip()
    return json.dumps({"wine": version, "settings": PREFIX_SETTINGS, "marlett": MARLETT.exists(),
                       "own user folders": True},
                      ensure_ascii=False)


def _build_template(target: Path, driver: Path) -> None:
    staging = target.with_name(target.name + ".new")
    shutil.rmtree(staging, ignore_errors=True)
    env = wine_environment(staging)
    env.pop("DISPLAY", None)  # no window for wineboot
    subprocess.run([WINE, "wineboot", "-i"], env=env, stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=600)
    commands = [{"cmd": "reg_set", "key": key, "name": name, "data": value}
                for key, name, value in PREFIX_SETTINGS]
    lines = "".join(json.dumps(c, ensure_ascii=False) + "\n" for c in commands)
    answer = subprocess.run([WINE, str(driver)], env=env, input=lines.encode("utf-8"),
                            capture_output=True, timeout=300)
    answers = [json.loads(line) for line in answer.stdout.decode("utf-8").splitlines()]
    if len(answers) != len(commands) or not all(a.get("ok") for a in answers):
        raise RuntimeError(f"prefix settings not written: {answers} {answer.stderr[-500:]!r}")
    # The wineserver writes the registry to disk when it exits.
    subprocess.run([WINESERVER, "-w"], env=env, timeout=300)
    _own_user_folders(staging)
    if MARLETT.exists():
        shutil.copy2(MARLETT, staging / "drive_c" / "windows" / "Fonts" / MARLETT.name)
    shutil.rmtree(target, ignore_errors=True)
    staging.rename(target)


def _own_user_folders(prefix: Path) -> None:
    """wineboot links Desktop, Documents and the like to the Unix user's home;
    a program under test must write into the prefix, never there."""
    for users in (prefix / "drive_c" / "users").iterdir():
        for entry in users.iterdir():
            if entry.is_symlink():
                entry.unlink()
                entry.mkdir()


def ensure_template(work: Path, driver: Path) -> tuple[Path, float]:
    """The build tree's template prefix, made if missing or made by another
    Wine or with other settings. Returns it and the seconds spent making it."""
    work.mkdir(parents=True, exist_ok=True)
    template = work / "template-prefix"
    stamp_file = work / "template-prefix.stamp"
    with open(work / "template-prefix.lock", "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        stamp = _stamp()
        if template.is_dir() and stamp_file.exists() and stamp_file.read_text() == stamp:
            return template, 0.0
        start = time.monotonic()
        _build_template(template, driver)
        stamp_file.write_text(stamp)
        return template, time.monotonic() - start


def copy_prefix(template: Path, target: Path) -> None:
    shutil.rmtree(target, ignore_errors=True)
    for folder, subfolders, files in os.walk(template):
        relative = os.path.relpath(folder, template)
        destination = Path(target, relative)
        destination.mkdir(parents=True, exist_ok=True)
        for name in files + [d for d in subfolders if os.path.islink(os.path.join(folder, d))]:
            source = os.path.join(folder, name)
            copy = destination / name
            if os.path.islink(source):
                os.symlink(os.readlink(source), copy)
            elif name.lower().endswith(_LINKED_SUFFIXES):
                os.link(source, copy)
            else:
                shutil.copy2(source, copy)

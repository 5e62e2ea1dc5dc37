"""The x64 zip unpacked into a folder whose name has a space and Japanese
characters, started from elsewhere: the editor opens the example beside it
with that path in its title and shows its help (mvl.hlp found beside
Morvel.exe, not in the current folder), and mvltool runs from there too."""

import sys
import zipfile
from pathlib import Path

from morvel_e2e import DriverError, run
from morvel_e2e.morvel import IDYES, MAIN_CLASS, ids

sys.path.insert(0, str(Path(__file__).resolve().parent))
from windows_packages import LIBRARY_VERSION, PACKAGES, VERSION, ZIPS  # noqa: E402

VIEWER_CLASS = "MS_WINHELP"
TOPIC_TEXT = 0x701  # the viewer's topic text (Wine's winhlp32)
CONTENTS_TITLE = "Morvelの使い方"


def contents_topic(s):
    """The visible viewer's topic text, or None."""
    for window in s.windows(cls=VIEWER_CLASS, visible=True):
        try:
            return window, window.text(TOPIC_TEXT)
        except DriverError:  # a viewer window without a topic pane
            continue
    return None


def scenario(s):
    unpacked = s.folder / "モーション データ"
    with zipfile.ZipFile(PACKAGES / ZIPS["win64"]) as archive:
        archive.extractall(unpacked)
    folder = unpacked / f"Morvel-{VERSION}-win64"
    robot = folder / "examples" / "robot" / "robot.mvl"

    tool = s.run_console(folder / "mvltool.exe", ["--version"], cwd=s.folder)
    s.expect_equal(tool.stdout.decode().strip(), f"mvltool {VERSION}, MvlLib {LIBRARY_VERSION}",
                   "mvltool --version from the unpacked folder")

    app = s.start(folder / "Morvel.exe", [s.windows_path(robot)], cwd=s.folder)
    main = app.wait_main_window(cls=MAIN_CLASS, timeout=60)
    main.wait_title(f"Morvel Version {VERSION} [{s.windows_path(robot)}]", timeout=30)

    main.command(ids(s).CMD_HELP_CONTENTS)  # ヘルプ → 目次
    viewer, _ = s.wait_until(lambda: contents_topic(s),
                                lambda v: v is not None and v[1].startswith(CONTENTS_TITLE),
                                "the help viewer shows mvl.hlp's contents", 30)
    viewer.screenshot("portable-zip-help")

    main.close()
    s.wait_message_box(pid=main.pid).press(button_id=IDYES)  # 終了しますか？
    s.expect_equal(app.wait_exit(), 0, "exit code")
    s.wait_until(lambda: s.windows(cls=VIEWER_CLASS), [], "the viewer ends with the editor")


run(scenario, "packaging_windows_portable_zip")

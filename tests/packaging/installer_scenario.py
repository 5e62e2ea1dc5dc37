"""The x64 installer as users meet it, in a fresh prefix: a silent install
that cannot write a file fails; one that can puts the files, the Start-menu
links, the file type and the installed-programs entry in place; robot.mvl
opened through its file type starts the editor on it; a second install over
the first, page by page in the wizard with the desktop shortcut unticked, and
a third, silent, each leave one entry; the silent uninstall takes back all of
that and leaves what the user made: a motion file saved into the program's
folder and the recent-files key."""

import re
import shutil
import subprocess
import sys
from pathlib import Path

from morvel_e2e import DriverError, run
from morvel_e2e.config import WINE
from morvel_e2e.morvel import IDYES, MAIN_CLASS

sys.path.insert(0, str(Path(__file__).resolve().parent))
from windows_packages import (COMPANY, INSTALLERS, LIBRARY_VERSION, PACKAGES,  # noqa: E402
                              VERSION, package_files)

SETUP = PACKAGES / INSTALLERS["x64"]
INSTALL_DIR = "C:\\Program Files\\Morvel"
UNINSTALL_ROOT = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"
UNINSTALL_KEY = UNINSTALL_ROOT + "\\Morvel"
PROGID_KEY = "HKLM\\Software\\Classes\\Morvel.MotionFile"
EXTENSION_KEY = "HKLM\\Software\\Classes\\.mvl"
RECENT_FILES_KEY = f"HKCU\\Software\\{COMPANY}\\Morvel"
OPEN_COMMAND = f'"{INSTALL_DIR}\\Morvel.exe" "%1"'
USER_FILE = "examples/robot/my-walk.mvl"
ROBOT_BACKGROUND = "#283048"  # the background colour robot.mvl's header sets
NEXT = 1  # the wizard's Next / Agree / Install / Finish button
WIZARD_PAGES = [("1-welcome", "セットアップへようこそ"), ("2-licence", "使用許諾契約"),
                ("3-components", "構成要素の選択"), ("4-folder", "インストール先の選択"),
                ("5-finish", "セットアップの完了")]  # the progress page moves on by itself


class Prefix:
    """The folders and keys of one session's prefix that the installer touches."""

    def __init__(self, s):
        self.s = s
        drive = s.prefix / "drive_c"
        self.install_dir = drive / "Program Files" / "Morvel"
        programs = drive / "ProgramData" / "Microsoft" / "Windows" / "Start Menu" / "Programs"
        self.menu = programs / "Morvel"
        self.desktop_link = drive / "users" / "Public" / "Desktop" / "Morvel.lnk"

    def key(self, key):
        """The key's values, or None when it does not exist."""
        try:
            return self.s.reg_query(key)
        except DriverError:
            return None

    def texts(self, key):
        return {name: value["data"] for name, value in (self.key(key) or {}).items()}

    def installed_files(self):
        return {p.relative_to(self.install_dir).as_posix()
                for p in self.install_dir.rglob("*") if p.is_file()}

    def entries(self):
        """DisplayNames of the installed-programs list naming Morvel."""
        keys = self.s.driver.command("reg_query", key=UNINSTALL_ROOT)["subkeys"]
        names = [self.texts(f"{UNINSTALL_ROOT}\\{key}").get("DisplayName", "") for key in keys]
        return [name for name in names if "Morvel" in name]


def silent_install(s):
    result = s.run_console(SETUP, ["/S"], timeout=300)
    s.expect_equal(result.returncode, 0, "exit code of the silent install")


def blocked_install(s, p):
    """A file the installer cannot write (a folder in its place here; on
    Windows a running Morvel.exe) fails a silent install: skipped, the install
    would report success without the program."""
    (p.install_dir / "Morvel.exe").mkdir(parents=True)
    result = s.run_console(SETUP, ["/S"], timeout=300)
    s.check(result.returncode != 0, "a silent install that cannot write Morvel.exe fails",
            "a failing exit code", result.returncode)
    s.expect_equal(p.key(UNINSTALL_KEY), None, "no entry after the failed install")
    shutil.rmtree(p.install_dir)


def check_installed(s, p, desktop_link: bool):
    s.expect_equal(p.installed_files(), package_files() | {"uninstall.exe"}, "installed files")
    for link, target in [("Morvel.lnk", "Morvel.exe"), ("Morvel ヘルプ.lnk", "mvl.hlp")]:
        path = p.menu / link
        s.check(path.is_file() and f"{INSTALL_DIR}\\{target}".encode("cp932") in path.read_bytes(),
                f"Start-menu link {link} to {target}")
    s.expect_equal(p.desktop_link.is_file(), desktop_link, "desktop link")

    s.expect_equal([p.texts(EXTENSION_KEY).get(""), p.texts(PROGID_KEY + "\\DefaultIcon").get(""),
                    p.texts(PROGID_KEY + "\\shell\\open\\command").get("")],
                   ["Morvel.MotionFile", f"{INSTALL_DIR}\\Morvel.exe,0", OPEN_COMMAND],
                   ".mvl's file type, its icon and open command")
    entry = p.texts(UNINSTALL_KEY)
    s.expect_equal((entry.get("DisplayVersion"), entry.get("Publisher"),
                    entry.get("QuietUninstallString")),
                   (VERSION, COMPANY, f'"{INSTALL_DIR}\\uninstall.exe" /S'),
                   "installed-programs entry")
    s.check({"DisplayIcon", "UninstallString", "EstimatedSize"} <= entry.keys(),
            "the entry's icon, uninstaller and size", "present", entry)
    s.expect_equal(p.entries(), [f"Morvel {VERSION} (x64)"], "one entry in the installed programs")


def check_versions(s):
    for path, version in [(f"{INSTALL_DIR}\\Morvel.exe", VERSION),
                          (f"{INSTALL_DIR}\\MvlLib.dll", LIBRARY_VERSION),
                          (s.windows_path(SETUP), VERSION)]:
        found = s.driver.command("file_version", path=path)["strings"]
        s.expect_equal((found.get("FileVersion"), found.get("CompanyName")), (version, COMPANY),
                       f"version resource of {path}")


def open_through_file_type(s):
    robot = f"{INSTALL_DIR}\\examples\\robot\\robot.mvl"
    # start.exe opens the document as Explorer would, through ShellExecuteEx.
    subprocess.run([WINE, "start", robot], env=s.env, cwd=s.folder, stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60, check=True)
    main = s.wait_window(cls=MAIN_CLASS, timeout=60)
    main.wait_title(f"Morvel Version {VERSION} [{robot}]", timeout=30)
    s.wait_until(lambda: view_colour(main), ROBOT_BACKGROUND,
                 "the view drawn in robot.mvl's colour")
    main.close()
    s.wait_message_box(pid=main.pid).press(button_id=IDYES)  # 終了しますか？
    main.wait_gone(destroyed=True)


def view_colour(main):
    """A pixel of the view left of the figure, from a screenshot of the window."""
    shot = main.screenshot("installer-opened-robot")
    pixel = subprocess.run(["convert", str(shot), "-crop", "1x1+15+150", "-depth", "8", "txt:-"],
                           capture_output=True, text=True, check=True).stdout
    return re.search(r"#[0-9A-F]{6}", pixel).group(0)


def page_heading(wizard):
    for control in wizard.controls():
        if control["id"] in (1201, 1037) and control["visible"] and control["text"]:
            return control["text"]
    return ""


def untick_desktop_shortcut(s, wizard):
    tree = next(c for c in wizard.controls() if c["class"] == "SysTreeView32")
    first_row = (tree["client_rect"]["left"] + 60, tree["client_rect"]["top"] + 8)
    wizard.click_at(first_row)  # the tree takes the keyboard
    wizard.keys("Down", "space")


def wizard_install(s, p):
    app = s.start(SETUP)
    wizard = app.wait_main_window(cls="#32770", title=f"Morvel {VERSION} セットアップ")
    for shot, heading in WIZARD_PAGES:
        s.wait_until(lambda: page_heading(wizard), re.compile(heading), f"page {shot}", 60)
        if shot == "3-components":
            untick_desktop_shortcut(s, wizard)
        if shot == "4-folder":
            folder = [c["text"] for c in wizard.controls() if c["class"] == "Edit"]
            s.expect_equal(folder, [INSTALL_DIR], "an upgrade offers the installed folder")
        s.wait_until(lambda: wizard.control(NEXT)["enabled"], True, f"{shot}: Next enabled")
        wizard.screenshot(f"installer-{shot}")
        wizard.click(NEXT)
    s.expect_equal(app.wait_exit(timeout=30), 0, "exit code of the wizard")


def uninstall(s, p):
    (p.install_dir / USER_FILE).write_bytes(b"the user's own motion")
    command = p.key(UNINSTALL_KEY)["QuietUninstallString"]["data"]
    uninstaller, argument = re.fullmatch(r'"([^"]+)" (/S)', command).groups()
    # The uninstaller reruns itself from a temporary copy and returns at once.
    subprocess.run([WINE, uninstaller, argument], env=s.env, cwd=s.folder,
                   stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, timeout=60, check=True)
    s.wait_until(lambda: p.key(UNINSTALL_KEY), None, "the entry goes", 60)
    s.wait_until(p.installed_files, {USER_FILE}, "only the user's file stays", 30)
    s.check(not p.menu.exists() and not p.desktop_link.exists(), "links removed")
    s.expect_equal([p.key(k) for k in (PROGID_KEY, EXTENSION_KEY)], [None, None],
                   "file type removed")
    s.check(p.key(RECENT_FILES_KEY) is not None, "recent files kept", RECENT_FILES_KEY, None)


def scenario(s):
    s.check(SETUP.is_file(), "the installer was made (test packaging_windows_contents)")
    p = Prefix(s)
    blocked_install(s, p)
    silent_install(s)
    check_installed(s, p, desktop_link=True)
    check_versions(s)
    open_through_file_type(s)
    s.check(p.key(RECENT_FILES_KEY), "the editor remembers robot.mvl", RECENT_FILES_KEY, None)

    wizard_install(s, p)
    check_installed(s, p, desktop_link=False)
    silent_install(s)
    check_installed(s, p, desktop_link=True)
    uninstall(s, p)


run(scenario, "packaging_windows_installer")

"""Morvel's version dialog chosen in the ヘルプ menu: the product line,
the notice and the fixed text, the system information with the DirectX
version the machine has and the view size, closed with its button and with
Escape; the fixed text is nowhere in the program file."""

import re

from morvel_e2e import run
from morvel_e2e.morvel import IDCANCEL, IDYES, ids, robot_copy, start_editor, title_for

DIALOG_CLASS = "#32770"
CAPTION = "バージョン情報"


def open_dialog(s, main, ID):
    main.click_menu(ID.CMD_HELP_VERSION)
    return s.wait_window(cls=DIALOG_CLASS, title=CAPTION, pid=main.pid)


def view_size(s, main):
    """Right and bottom of the view rectangle: the client's width, and the
    client's height above the status bar."""
    client = main.client
    bars = [c for c in main.controls() if c["class"].lower() == "msctls_statusbar32"]
    s.check(len(bars) == 1, "the main window has one status bar", 1, len(bars))
    bar = bars[0]["client_rect"]
    return client["right"] - client["left"], bar["top"]


def system_lines(dialog, ID):
    return dialog.list_items(ID.IDC_VERSION_SYSTEM_LIST)["items"]


def check_contents(s, main, dialog, ID):
    s.expect_equal(dialog.text(ID.IDC_VERSION_PRODUCT), "Morvel Version 2.01", "product line")
    notice = dialog.text(ID.IDC_VERSION_NOTICE)
    s.check("mvl.hlp" in notice, "the notice says where the help is", "…mvl.hlp…", notice)
    fixed = dialog.text(ID.IDC_VERSION_TEXT)
    s.check("mvl.hlp" in fixed and "モーションデータ" in fixed, "the fixed text", "a text", fixed)

    right, bottom = view_size(s, main)
    lines = system_lines(dialog, ID)
    s.expect_equal(lines[:3], ["システム情報----", "　　Morvelバージョン(Morvl.EXE)：Ver 2.01",
                               "　　Mvlライブラリ(MvlLib.DLL)：Ver 1.00"], "first list lines")
    # Wine has DirectDraw, DirectInput, DirectMusic and Direct3D 8.
    s.expect_equal(lines[3], "　　DirectX(本ソフト認識)：Ver 8.0", "DirectX line")
    modes = "HAL HARDWARE|HAL SOFTWARE|REF SOFTWARE"
    s.expect_equal(lines[4], re.compile(f"^　　Direct3D-mode：({modes}) {right}×{bottom}$"),
                   "Direct3D line")
    s.expect_equal(len(lines), 5, "list lines")
    return fixed, lines


def check_fixed_text_is_scrambled(s, fixed):
    program = s.paths.morvel.read_bytes()
    for line in filter(None, fixed.split("\r\n")):
        for piece in (line[:12], line[-12:]):
            s.check(piece.encode("cp932") not in program,
                    "the fixed text is kept scrambled in Morvel.exe", "not found", piece)


def scenario(s):
    ID = ids(s)
    robot = robot_copy(s)
    app, main = start_editor(s, ["robot.mvl"], cwd=robot)
    title = main.wait_title(title_for(s, robot / "robot.mvl"))

    dialog = open_dialog(s, main, ID)
    fixed, lines = check_contents(s, main, dialog, ID)
    s.expect_equal(dialog.info["owner"], main.hwnd, "the main window owns the dialog")
    dialog.screenshot("morvel-version-dialog")
    check_fixed_text_is_scrambled(s, fixed)
    dialog.click(IDCANCEL)
    dialog.wait_gone()

    # Opened again: the probe runs again and finds the same.
    dialog = open_dialog(s, main, ID)
    s.expect_equal(check_contents(s, main, dialog, ID)[1], lines, "the list of a second opening")
    dialog.keys("Escape")
    dialog.wait_gone()

    s.expect_equal(main.title, title, "title after the dialog")
    main.close()
    box = s.wait_message_box(pid=main.pid)
    s.expect_equal((box.caption, box.message), ("閉じる", "現在編集されていますが、終了しますか？"),
                   "closing with a file open")
    box.press(button_id=IDYES)
    s.expect_equal(app.wait_exit(), 0, "exit code")


run(scenario)

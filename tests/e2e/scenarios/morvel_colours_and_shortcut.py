"""Morvel's view colours through the real colour chooser, the toggles of the
axes and the overlay, the desktop shortcut with its question, and the
refusals of the frame and position dialogs on an empty document."""

from morvel_e2e import run
from morvel_e2e.morvel import (IDCANCEL, IDNO, IDOK, IDYES, choose_file, dump, ids, robot_copy,
                               start_editor, title_for)


def answer(s, main, caption, message, button_id):
    box = s.wait_message_box(pid=main.pid)
    s.expect_equal((box.caption, box.message), (caption, message), f"message box {caption}")
    box.press(button_id=button_id)
    box.wait_gone()


def check_refusals(s, main, ID):
    main.keys("F8")
    box = s.wait_message_box(pid=main.pid)
    box.screenshot("morvel-no-motion-refusal")
    s.expect_equal((box.caption, box.message), ("フレーム", "モーションがありません。"), "F8 on an empty document")
    box.press(button_id=IDOK)
    box.wait_gone()
    main.keys("F9")
    answer(s, main, "パーツ", "パーツがありません。", IDOK)


def check_shortcut(s, main, ID):
    desktop = [p for p in (s.prefix / "drive_c" / "users").glob("*/Desktop")]
    s.check(desktop and not desktop[0].is_symlink(), "the prefix's desktop is its own folder",
            "a folder", desktop)
    link = desktop[0] / "Morvel.lnk"
    main.command(ID.CMD_FILE_SHORTCUT)
    answer(s, main, "ショートカットを作成", "デスクトップにショートカットを貼り付けますか？", IDNO)
    s.check(not link.exists(), "No creates no shortcut")
    main.command(ID.CMD_FILE_SHORTCUT)
    answer(s, main, "ショートカットを作成", "デスクトップにショートカットを貼り付けますか？", IDYES)
    s.wait_until(link.exists, True, "the shortcut file")
    data = link.read_bytes()
    s.expect_equal(data[:4], b"L\x00\x00\x00", "a shell link file")
    s.check(b"Morvel.exe" in data or "Morvel.exe".encode("utf-16-le") in data,
            "the shortcut points at the program", "Morvel.exe", data[:200])


def check_colours(s, main, ID, saved):
    main.click_menu(ID.CMD_VIEW_BACKGROUND_COLOUR)
    chooser = s.wait_window(cls="#32770", pid=main.pid)
    chooser.screenshot("morvel-colour-chooser")
    s.driver.command("color_chooser_accept", hwnd=chooser.hwnd, red=10, green=120, blue=30)
    chooser.wait_gone()
    # Cancelling keeps the axis colour.
    main.command(ID.CMD_VIEW_AXIS_COLOUR)
    chooser = s.wait_window(cls="#32770", pid=main.pid)
    chooser.click(IDCANCEL)
    chooser.wait_gone()
    main.click_menu(ID.CMD_VIEW_AXES)  # axes off
    main.command(ID.CMD_FILE_SAVE)
    header = s.wait_until(lambda: dump(s, saved)["header"],
                          lambda h: h["backgroundColour"] == [10, 120, 30, 255], "saved colour")
    s.expect_equal(header["axisColour"], [200, 200, 200, 255], "axis colour after a cancel")
    s.expect_equal(header["axisVisible"], 0, "axes toggled off")
    main.screenshot("morvel-green-background-no-axes")


def scenario(s):
    ID = ids(s)
    robot = robot_copy(s)
    app, main = start_editor(s, cwd=s.folder)
    check_refusals(s, main, ID)
    check_shortcut(s, main, ID)

    main.command(ID.CMD_FILE_OPEN)
    choose_file(s, main, robot / "robot.mvl").wait_gone()
    main.wait_title(title_for(s, robot / "robot.mvl"))
    check_colours(s, main, ID, robot / "robot.mvl")

    main.close()
    answer(s, main, "閉じる", "現在編集されていますが、終了しますか？", IDYES)
    s.expect_equal(app.wait_exit(), 0, "exit code")


run(scenario)

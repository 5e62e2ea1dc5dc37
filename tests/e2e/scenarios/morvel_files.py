"""Morvel's file commands as a user meets them: a file named on the command
line, Save As to a new name in a folder with a Japanese name, Save, recent
files in the registry and reopening one from the menu, a protected file with
a wrong and a right user code, and a file that is no motion file."""

import re

from morvel_e2e import run
from morvel_e2e.morvel import (IDNO, IDOK, IDYES, build, choose_file, dump, ids, robot_copy,
                               start_editor, status_number, title_for)

SETTINGS_KEY = "HKCU\\Software\\Kelvarin\\Morvel"


def answer(s, main, caption, message, button_id):
    box = s.wait_message_box(pid=main.pid)
    s.expect_equal((box.caption, box.message), (caption, message), f"message box {caption}")
    box.press(button_id=button_id)
    box.wait_gone()
    return box


def recent_values(s):
    values = s.reg_query(SETTINGS_KEY)
    return [values.get(f"Ago_OpenFilne{i}", {}).get("data") for i in range(5)]


def save_as(s, main, ID, folder, typed_name):
    main.click_menu(ID.CMD_FILE_SAVE_AS)
    chooser = choose_file(s, main, folder / typed_name)
    chooser.wait_gone()


def check_save_as_and_save(s, main, ID, robot):
    folder = s.folder / "保存先"
    folder.mkdir()
    # A name typed without its extension gets ".mvl".
    save_as(s, main, ID, folder, "walk2")
    saved = folder / "walk2.mvl"
    main.wait_title(title_for(s, saved))
    s.check(saved.is_file(), "Save As wrote the file", saved, "nothing")
    s.expect_equal(dump(s, saved), dump(s, robot / "robot.mvl"), "the saved document")

    main.keys("p")
    main.wait_status(0, re.compile(r"^Position-X\["))
    x = status_number(main, 0, "Position-X")
    main.keys("Left")
    s.wait_until(lambda: status_number(main, 0, "Position-X"), x - 1, "one step left")
    main.click_toolbar(ID.CMD_FILE_SAVE)
    s.wait_until(lambda: dump(s, saved)["motions"][0]["frames"][0]["positions"][0]["translation"][0],
                 x - 1, "Save wrote the moved position")
    return saved


def check_protected_file(s, main, ID, robot, previous_title):
    document = dump(s, robot / "robot.mvl")
    document["header"]["userCode"] = "secret"
    locked = build(s, document, robot / "locked.mvl")

    for code, accepted in (("wrong", False), ("secret", True)):
        main.command(ID.CMD_FILE_OPEN)
        answer(s, main, "開く", "現在編集されていますが、破棄しますか？", IDYES)
        choose_file(s, main, locked).wait_gone()
        prompt = s.wait_window(cls="#32770", title="ファイル読込", pid=main.pid)
        if not accepted:
            prompt.screenshot("morvel-user-code-prompt")
        prompt.set_text(ID.IDC_USERCODE_EDIT, code)
        prompt.click(IDOK)
        prompt.wait_gone()
        if not accepted:
            box = s.wait_message_box(pid=main.pid)
            box.screenshot("morvel-wrong-user-code")
            s.expect_equal((box.caption, box.message), ("開く", "ユーザ識別コードに誤りがあります。"),
                           "a wrong code")
            box.press(button_id=IDOK)
            box.wait_gone()
            s.expect_equal(main.title, previous_title, "the previous document stays")
    main.wait_title(title_for(s, locked))
    return locked


def check_unreadable_file(s, main, ID, locked):
    junk = locked.parent / "junk.mvl"
    junk.write_bytes(b"this is no motion file")
    main.command(ID.CMD_FILE_OPEN)
    answer(s, main, "開く", "現在編集されていますが、破棄しますか？", IDYES)
    choose_file(s, main, junk).wait_gone()
    answer(s, main, "開く", "ファイルの読込に失敗しました。", IDOK)
    s.expect_equal(main.title, title_for(s, locked), "the open document after a failed open")


def scenario(s):
    ID = ids(s)
    robot = robot_copy(s)
    # Opened at start, after the posted New, exactly as if chosen in Open.
    app, main = start_editor(s, [s.windows_path(robot / "robot.mvl")], cwd=s.folder)
    main.wait_title(title_for(s, robot / "robot.mvl"))
    main.wait_status(1, "View-Rotation-Y[-30] [←,→]")

    saved = check_save_as_and_save(s, main, ID, robot)
    s.expect_equal(recent_values(s)[:3],
                   [s.windows_path(saved), s.windows_path(robot / "robot.mvl"), ""],
                   "recent files in the registry")
    locked = check_protected_file(s, main, ID, robot, title_for(s, saved))
    check_unreadable_file(s, main, ID, locked)
    expected = [s.windows_path(p) for p in (locked, saved, robot / "robot.mvl")]
    s.expect_equal(recent_values(s)[:3], expected, "recent files after the protected file")
    s.expect_equal([main.menu_item(ID.CMD_RECENT_FILE_0 + i)["text"] for i in range(3)], expected,
                   "recent files in the File menu")

    # Reopening the third recent file from the menu moves it to the front.
    main.click_menu(ID.CMD_RECENT_FILE_0 + 2)
    answer(s, main, "開く", "現在編集されていますが、破棄しますか？", IDYES)
    main.wait_title(title_for(s, robot / "robot.mvl"))
    s.expect_equal(recent_values(s)[:3], [expected[2], expected[0], expected[1]],
                   "recent files after reopening the third")
    main.screenshot("morvel-recent-files")

    main.close()
    answer(s, main, "閉じる", "現在編集されていますが、終了しますか？", IDYES)
    s.expect_equal(app.wait_exit(), 0, "exit code")


run(scenario)

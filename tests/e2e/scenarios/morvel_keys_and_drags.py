"""Morvel from a fresh start: the new document's window, opening the robot
from the toolbar through the real file chooser, edit modes and steps with
real keys, drags with both buttons, undo and redo, and closing with F12."""

import re

from morvel_e2e import run
from morvel_e2e.morvel import (IDNO, IDYES, TITLE_NEW, choose_file, ids, robot_copy, start_editor,
                               status_number, title_for)


def check_fresh_start(s, main, ID):
    main.wait_title(TITLE_NEW)
    bar = main.status_bar()
    s.expect_equal(bar["edges"][:3], [200, 400, 600], "status bar part edges")
    s.expect_equal(main.menu_item(ID.CMD_FILE_SAVE)["grayed"], True, "上書き保存 greyed at start")
    buttons = main.toolbar_buttons()
    s.expect_equal(len(buttons), 31, "toolbar entries, separators included")
    s.expect_equal([b["id"] for b in buttons][:4],
                   [ID.CMD_FILE_NEW, ID.CMD_FILE_OPEN, ID.CMD_FILE_SAVE, ID.CMD_FILE_EXIT],
                   "first toolbar buttons")
    # The posted New has drawn the empty document: view mode texts.
    main.wait_status(0, "View-Rotation-X[0] [↑,↓]")
    main.wait_status(2, "View-Scale[300] [Home, End]")
    main.screenshot("morvel-fresh-start")


def check_tooltip(s, main, buttons, index, text):
    rect = buttons[index]["rect"]
    client = main.client
    centre = ((rect["left"] + rect["right"]) // 2 - client["left"],
              (rect["top"] + rect["bottom"]) // 2 - client["top"])
    main.hover((centre[0] - 2, centre[1]))
    main.hover(centre)
    s.wait_until(lambda: [t["text"] for t in s.driver.command("tooltips", pid=main.pid)["tooltips"]
                          if t["visible"]], [text], f"tooltip of toolbar entry {index}")


def check_view_keys(s, main):
    main.wait_status(1, "View-Rotation-Y[-30] [←,→]")
    main.keys("Left")
    main.wait_status(1, "View-Rotation-Y[329] [←,→]")
    main.keys("shift+Right")
    main.wait_status(1, "View-Rotation-Y[334] [←,→]")
    main.keys("End")
    main.wait_status(2, "View-Scale[301] [Home, End]")


def check_position_keys(s, main):
    main.keys("p")
    main.wait_status(0, re.compile(r"^Position-X\["))
    x = status_number(main, 0, "Position-X")
    y = status_number(main, 1, "Position-Y")
    # The robot's axisDirection reverses X, Y and Z steps.
    main.keys("Left")
    s.wait_until(lambda: status_number(main, 0, "Position-X"), x - 1, "Left in translate mode")
    main.keys("shift+Left")
    s.wait_until(lambda: status_number(main, 0, "Position-X"), x - 6, "Shift+Left")
    main.keys("Up")
    s.wait_until(lambda: status_number(main, 1, "Position-Y"), y + 1, "Up")
    main.keys("r")
    main.wait_status(0, re.compile(r"^Rotation-X\[-?\d+\] \[↑,↓\]$"))
    rx = status_number(main, 0, "Rotation-X")
    main.keys("shift+Down")
    s.wait_until(lambda: status_number(main, 0, "Rotation-X"), rx + 5, "Shift+Down in rotate mode")
    main.keys("s")
    main.wait_status(0, re.compile(r"^Scale-X\["))
    sx = status_number(main, 0, "Scale-X")
    main.keys("Right")
    s.wait_until(lambda: status_number(main, 0, "Scale-X"), sx - 1, "Right in scale mode")
    # Ctrl+R and a plain M do nothing: still scale mode, same value.
    main.keys("ctrl+r", "m")
    main.keys("Right")
    s.wait_until(lambda: status_number(main, 0, "Scale-X"), sx - 2, "still in scale mode")
    return sx - 2


def check_drags_and_undo(s, main, scale_x):
    # Scale mode: a left drag of 4 pixels to the right lowers scale X by 1,
    # then one of 10 pixels in one move by 5 more.
    main.drag((300, 250), (304, 250), button="left", steps=1)
    s.wait_until(lambda: status_number(main, 0, "Scale-X"), scale_x - 1, "a 4-pixel drag")
    main.drag((304, 250), (314, 250), button="left", steps=1)
    s.wait_until(lambda: status_number(main, 0, "Scale-X"), scale_x - 6, "a 10-pixel drag")
    # Undo takes back the last gesture, redo brings it again.
    main.keys("ctrl+z")
    s.wait_until(lambda: status_number(main, 0, "Scale-X"), scale_x - 1, "Ctrl+Z")
    main.keys("ctrl+z")
    s.wait_until(lambda: status_number(main, 0, "Scale-X"), scale_x, "Ctrl+Z twice")
    main.keys("ctrl+y")
    s.wait_until(lambda: status_number(main, 0, "Scale-X"), scale_x - 1, "Ctrl+Y")

    # View mode: a left drag to the right turns the azimuth up, a right drag
    # down raises the elevation and one to the left brings the camera closer.
    main.keys("f")
    main.wait_status(0, re.compile(r"^View-Rotation-X"))
    azimuth = status_number(main, 1, "View-Rotation-Y")
    main.drag((200, 200), (240, 200), button="left", steps=8)
    s.wait_until(lambda: (status_number(main, 1, "View-Rotation-Y") - azimuth) % 360,
                 lambda turned: 5 <= turned <= 40, "a left drag turns the view")
    elevation = status_number(main, 0, "View-Rotation-X")
    distance = status_number(main, 2, "View-Scale")
    main.drag((300, 200), (300, 230), button="right", steps=6)
    s.wait_until(lambda: status_number(main, 0, "View-Rotation-X"),
                 lambda e: e > elevation or e == 90, "a right drag down raises the elevation")
    main.drag((300, 230), (260, 230), button="right", steps=8)
    s.wait_until(lambda: status_number(main, 2, "View-Scale"), lambda d: d > distance,
                 "a right drag to the left moves the camera away")
    main.screenshot("morvel-robot-after-drags")


def check_close(s, app, main):
    main.keys("F12")
    box = s.wait_message_box(pid=main.pid)
    s.expect_equal((box.caption, box.message), ("閉じる", "現在編集されていますが、終了しますか？"),
                   "the close question")
    s.expect_equal([b["id"] for b in box.buttons], [IDYES, IDNO], "Yes and No buttons")
    box.screenshot("morvel-close-question")
    box.press(button_id=IDNO)
    box.wait_gone()
    s.check(app.running(), "No keeps the program running")
    main.keys("F12")
    box = s.wait_message_box(pid=main.pid)
    box.press(button_id=IDYES)
    s.expect_equal(app.wait_exit(), 0, "exit code")


def scenario(s):
    ID = ids(s)
    robot = robot_copy(s)
    app, main = start_editor(s, cwd=robot)
    check_fresh_start(s, main, ID)
    check_tooltip(s, main, main.toolbar_buttons(), 1, "ファイルを開く")
    main.click_toolbar(ID.CMD_FILE_OPEN)
    chooser = choose_file(s, main, robot / "robot.mvl")
    chooser.wait_gone()
    main.wait_title(title_for(s, robot / "robot.mvl"))
    s.expect_equal(main.menu_item(ID.CMD_FILE_SAVE)["grayed"], False, "上書き保存 after Open")
    check_view_keys(s, main)
    scale_x = check_position_keys(s, main)
    check_drags_and_undo(s, main, scale_x)
    check_close(s, app, main)


run(scenario)

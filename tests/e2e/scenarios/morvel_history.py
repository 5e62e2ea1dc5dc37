"""The 編集履歴 tool window in the real editor: steps made with real keys
appear named by edit mode and axis, the current one marked, and real clicks
on its rows undo and redo through the ring."""

import re

from morvel_e2e import run
from morvel_e2e.morvel import ids, robot_copy, start_editor, status_number, title_for


def rows(window, ID):
    return window.list_items(ID.IDC_HISTORY_LIST)


def click_row(window, ID, row):
    """A real click in the middle of a row of the list."""
    listing = rows(window, ID)
    rect = window.control(ID.IDC_HISTORY_LIST)["client_rect"]
    height = listing["item_height"]
    y = rect["top"] + 2 + (row - listing["top_index"]) * height + height // 2
    window.click_at((rect["left"] + 30, y))


def scenario(s):
    ID = ids(s)
    robot = robot_copy(s)
    app, main = start_editor(s, ["robot.mvl"], cwd=robot)
    main.wait_title(title_for(s, robot / "robot.mvl"))

    main.command(ID.CMD_TOOL_HISTORY)
    history = s.wait_window(title="編集履歴", pid=main.pid)
    s.wait_until(lambda: rows(history, ID)["items"], ["→ 1  開く"], "the history of an opened file")

    main.keys("p")
    main.wait_status(0, re.compile(r"^Position-X\["))
    x = status_number(main, 0, "Position-X")
    main.keys("Left", "Left")
    s.wait_until(lambda: status_number(main, 0, "Position-X"), x - 2, "two steps left")
    main.keys("r")
    main.wait_status(0, re.compile(r"^Rotation-X\["))
    rx = status_number(main, 0, "Rotation-X")
    main.keys("Up")
    s.wait_until(lambda: status_number(main, 0, "Rotation-X"), rx - 1, "one step up")
    s.wait_until(lambda: rows(history, ID)["items"],
                 ["　 1  開く", "　 2  キー: 座標 X", "　 3  キー: 座標 X", "→ 4  キー: 回転 X"],
                 "each step named by edit mode and axis")
    history.screenshot("morvel-history")

    # Back to the first step left: the pose of that moment, the mark with it.
    click_row(history, ID, 1)
    s.wait_until(lambda: rows(history, ID)["items"][1], "→ 2  キー: 座標 X", "the mark on row 2")
    s.wait_until(lambda: status_number(main, 0, "Rotation-X"), rx, "the rotation undone")
    main.keys("p")
    main.wait_status(0, re.compile(r"^Position-X\["))
    s.expect_equal(status_number(main, 0, "Position-X"), x - 1, "the position after one step")

    # Forward to the newest state again.
    click_row(history, ID, 3)
    s.wait_until(lambda: rows(history, ID)["selection"], 3, "the newest row selected")
    s.wait_until(lambda: status_number(main, 0, "Position-X"), x - 2, "both steps redone")
    main.keys("r")
    main.wait_status(0, re.compile(r"^Rotation-X\["))
    s.expect_equal(status_number(main, 0, "Rotation-X"), rx - 1, "the rotation redone")

    main.command(ID.CMD_TOOL_HISTORY)
    history.wait_gone()


run(scenario)

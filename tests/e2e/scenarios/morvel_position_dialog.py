"""The position dialog (F9) on the robot: the four lists as it opens, a
position loaded by a double click and updated with nonsense typed into its
number fields, copy, move and delete, Enter that does nothing, the refusal
of an update on an emptied frame, a registered position, the commit saved
and read back; Escape that discards; Ctrl+Z that brings the old document
back."""

import copy

from morvel_e2e import run
from morvel_e2e.dialogs import (DIALOG_CLASS, enabled, open_dialog, parse_decimal, save_and_dump,
                                through_fields)
from morvel_e2e.morvel import IDOK, IDYES, dump, ids, robot_copy, start_editor, title_for

CAPTION = "編集：ポジション"


def line(index, part, parts):
    return f"{index:6d}｜{part:9d}｜{parts[part]['fileName']}"


def wait_rows(s, dialog, list_id, rows, selection, what):
    s.wait_until(lambda: (dialog.list_items(list_id)["items"], dialog.list_items(list_id)["selection"]),
                 (rows, selection), what)


def check_opening(s, dialog, ID, document):
    parts = document["parts"]
    walk = document["motions"][0]
    expected = {
        ID.IDC_POSITION_MOTION_LIST: ([f"{m}｜{motion['name']}"
                                       for m, motion in enumerate(document["motions"])], 0),
        ID.IDC_POSITION_FRAME_LIST: ([f"{f}｜{frame['comment']}"
                                      for f, frame in enumerate(walk["frames"])], 0),
        ID.IDC_POSITION_LIST: ([line(i, p["partNumber"], parts)
                                for i, p in enumerate(walk["frames"][0]["positions"])], 0),
        # The row of the selected position's index (0), not of its part.
        ID.IDC_POSITION_PART_LIST: ([f"{k}｜{part['fileName']}" for k, part in enumerate(parts)], 0),
    }
    for list_id, (rows, selection) in expected.items():
        seen = dialog.list_items(list_id)
        s.expect_equal((seen["items"], seen["selection"]), (rows, selection), f"list {list_id}")
    s.expect_equal([dialog.text(i) for i in (ID.IDC_POSITION_NUMBER, ID.IDC_POSITION_SCALE_X,
                                             ID.IDC_POSITION_AMBIENT_A, ID.IDC_POSITION_ROTATION_Z)],
                   ["", "1.000000", "0.000000", "0"], "fields at the header's initial values")
    dialog.screenshot("morvel-position-dialog")


def edit_frame_one(s, dialog, ID, document):
    """Returns frame 1's positions as the dialog leaves them."""
    parts = document["parts"]
    positions = copy.deepcopy(document["motions"][0]["frames"][1]["positions"])
    dialog.click_row(ID.IDC_POSITION_FRAME_LIST, 1)
    dialog.click_row(ID.IDC_POSITION_LIST, 2, double=True)
    s.wait_until(lambda: dialog.text(ID.IDC_POSITION_NUMBER), "2", "position 2 loaded")
    s.expect_equal(dialog.text(ID.IDC_POSITION_TRANSLATION_Y),
                   f"{positions[2]['translation'][1]:f}", "loaded translation Y")
    s.expect_equal(dialog.list_items(ID.IDC_POSITION_PART_LIST)["selection"],
                   positions[2]["partNumber"], "the loaded position's part")

    typed = {ID.IDC_POSITION_SCALE_X: "1e3", ID.IDC_POSITION_TRANSLATION_Y: "-0.25",
             ID.IDC_POSITION_AMBIENT_R: "abc", ID.IDC_POSITION_DIFFUSE_G: "1.2.3",
             ID.IDC_POSITION_ROTATION_X: "70000", ID.IDC_POSITION_ROTATION_Y: "-90"}
    for field, text in typed.items():
        dialog.set_text(field, text)
    dialog.click_row(ID.IDC_POSITION_PART_LIST, 5)
    dialog.click(ID.IDC_POSITION_UPDATE)
    updated = through_fields(positions[2])
    updated["partNumber"] = 5
    updated["scale"][0] = parse_decimal("1e3")  # 13: the letter is skipped
    updated["translation"][1] = parse_decimal("-0.25")
    updated["ambient"][0] = 0.0
    updated["diffuse"][1] = 0.0
    updated["rotation"][0] = 4464  # the low 16 bits of 70000
    updated["rotation"][1] = -90
    positions[2] = updated
    rows = [line(i, p["partNumber"], parts) for i, p in enumerate(positions)]
    wait_rows(s, dialog, ID.IDC_POSITION_LIST, rows, 2, "row 2 updated")
    s.expect_equal(dialog.text(ID.IDC_POSITION_SCALE_X), "1e3", "fields keep their text")

    # Enter has no button to press: the dialog stays and goes on working.
    dialog.keys("Return")
    dialog.click(ID.IDC_POSITION_COPY)
    positions.insert(3, copy.deepcopy(positions[2]))
    dialog.click(ID.IDC_POSITION_UP)
    positions[1], positions[2] = positions[2], positions[1]
    wait_rows(s, dialog, ID.IDC_POSITION_LIST,
              [line(i, p["partNumber"], parts) for i, p in enumerate(positions)], 1,
              "copied, then moved up")
    dialog.click_row(ID.IDC_POSITION_LIST, 0)
    s.expect_equal(enabled(dialog, ID.IDC_POSITION_UP), False, "▲ on row 0")
    dialog.click(ID.IDC_POSITION_DELETE)
    del positions[0]
    wait_rows(s, dialog, ID.IDC_POSITION_LIST,
              [line(i, p["partNumber"], parts) for i, p in enumerate(positions)], 0, "row 0 deleted")
    s.expect_equal(dialog.text(ID.IDC_POSITION_SCALE_X), "1.000000", "deleting resets the fields")
    return positions


def empty_frame_three(s, dialog, ID):
    """Deletes every position of frame 3, is refused an update there and
    registers one position with the initial values and part 5."""
    dialog.click_row(ID.IDC_POSITION_FRAME_LIST, 3)
    for left in range(5, -1, -1):
        dialog.click(ID.IDC_POSITION_DELETE)
        s.wait_until(lambda: dialog.list_items(ID.IDC_POSITION_LIST)["count"], left,
                     f"{left} positions left")
    s.expect_equal([enabled(dialog, i) for i in (ID.IDC_POSITION_DELETE, ID.IDC_POSITION_COPY,
                                                  ID.IDC_POSITION_UP, ID.IDC_POSITION_DOWN)],
                   [False] * 4, "table buttons of an empty frame")
    dialog.click(ID.IDC_POSITION_UPDATE)
    box = s.wait_message_box(pid=dialog.pid)
    box.screenshot("morvel-position-no-such-number")
    s.expect_equal((box.caption, box.message, box.has_icon), (CAPTION, "指定されたNo.はありません。", True),
                   "update without a position")
    box.press(button_id=IDOK)
    dialog.click(ID.IDC_POSITION_REGISTER)
    s.wait_until(lambda: dialog.list_items(ID.IDC_POSITION_LIST)["items"],
                 ["     0｜        5｜.\\leg_right.x"], "registered with part 5")
    return [{"partNumber": 5, "ambient": [0.0] * 4, "diffuse": [0.0] * 4, "scale": [1.0] * 3,
             "translation": [0.0] * 3, "rotation": [0, 0, 0]}]


def check_cancel(s, main, ID, path, committed):
    dialog = open_dialog(s, main, "F9", CAPTION)
    dialog.click(ID.IDC_POSITION_DELETE)
    s.wait_until(lambda: dialog.list_items(ID.IDC_POSITION_LIST)["count"], 5, "deleted in the dialog")
    dialog.keys("Escape")
    dialog.wait_gone()
    s.expect_equal(save_and_dump(s, main, ID, path), committed, "the document after Escape")


def scenario(s):
    ID = ids(s)
    robot = robot_copy(s)
    path = robot / "robot.mvl"
    original = dump(s, path)
    app, main = start_editor(s, [s.windows_path(path)])
    main.wait_title(title_for(s, path))

    main.click_toolbar(ID.CMD_EDIT_POSITION)
    dialog = s.wait_window(cls=DIALOG_CLASS, title=CAPTION, pid=main.pid)
    check_opening(s, dialog, ID, original)
    frame_one = edit_frame_one(s, dialog, ID, original)
    frame_three = empty_frame_three(s, dialog, ID)
    dialog.click(ID.IDC_POSITION_COMMIT)
    dialog.wait_gone()

    expected = copy.deepcopy(original)
    expected["motions"][0]["frames"][1]["positions"] = frame_one
    expected["motions"][0]["frames"][3]["positions"] = frame_three
    committed = save_and_dump(s, main, ID, path)
    s.expect_equal(committed, expected, "the saved document")

    check_cancel(s, main, ID, path, committed)

    main.keys("ctrl+z")
    s.wait_until(lambda: save_and_dump(s, main, ID, path), original, "Ctrl+Z undoes the commit")

    main.close()
    box = s.wait_message_box(pid=main.pid)
    box.press(button_id=IDYES)
    s.expect_equal(app.wait_exit(), 0, "exit code")


run(scenario)

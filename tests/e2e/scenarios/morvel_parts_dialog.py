"""The parts dialog (F6) on a copy of the robot: the empty-name refusal, a
part registered under .\\, the X-file chooser, a move and a delete with its
question (whose positions go with the part), the load warning of a missing
file on commit, save and undo from the toolbar; cancel, Escape and Enter leave the document
as it was."""

from morvel_e2e import run
from morvel_e2e.dialog_steps import (accept_chooser, answer, check_enter_does_nothing, enabled,
                                     open_dialog, wait_rows)
from morvel_e2e.morvel import IDCANCEL, IDNO, IDOK, IDYES, dump, ids, robot_copy, start_editor, title_for

TITLE = "編集：パーツ"
QUESTION = "このパーツを使っているポジションを削除しますか？"


def line(index, name):
    return f"{index:6d}｜{name}"


def edit_parts(s, main, ID, dialog, robot, original):
    L = ID.IDC_PARTS_LIST
    names = [p["fileName"] for p in original["parts"]]
    wait_rows(s, dialog, L, [line(i, n) for i, n in enumerate(names)], "the robot's parts")
    s.expect_equal(dialog.list_items(L)["selection"], 0, "row 0 selected on opening")
    s.expect_equal(dialog.text(ID.IDC_PARTS_NUMBER), "", "the placeholder emptied")
    s.expect_equal(enabled(dialog, (ID.IDC_PARTS_DELETE, ID.IDC_PARTS_UP, ID.IDC_PARTS_DOWN)),
                   [True, False, True], "buttons on opening")
    dialog.screenshot("morvel-parts-dialog")

    dialog.click(ID.IDC_PARTS_REGISTER)
    box = s.wait_message_box(pid=main.pid)
    box.screenshot("morvel-parts-empty-name")
    s.expect_equal((box.caption, box.message), (TITLE, "パーツファイル名が指定されていません。"),
                   "register without a name")
    box.press(button_id=IDOK)
    box.wait_gone()

    # The chooser's full path lands in the field as chosen.
    dialog.click(ID.IDC_PARTS_BROWSE)
    accept_chooser(s, main, "Load X-File", robot / "head.x")
    s.wait_until(lambda: dialog.text(ID.IDC_PARTS_FILE_NAME), s.windows_path(robot / "head.x"),
                 "the chosen X file")

    dialog.set_text(ID.IDC_PARTS_FILE_NAME, "missing.x")
    dialog.click(ID.IDC_PARTS_REGISTER)
    wait_rows(s, dialog, L, lambda r: len(r) == 7 and r[6] == line(6, ".\\missing.x"),
              "the registered part")
    s.expect_equal(dialog.list_items(L)["selection"], 6, "the new part selected")

    dialog.double_click_row(L, 5)
    s.wait_until(lambda: dialog.text(ID.IDC_PARTS_FILE_NAME), ".\\leg_right.x", "the loaded part")
    s.expect_equal(dialog.text(ID.IDC_PARTS_NUMBER), "5", "its number")
    dialog.click(ID.IDC_PARTS_UP)
    wait_rows(s, dialog, L, lambda r: r[4] == line(4, ".\\leg_right.x"), "the moved part")
    s.expect_equal(dialog.list_items(L)["selection"], 4, "the selection moved along")

    # The question comes for every part; No keeps it, Yes deletes it.
    dialog.select_row(L, 1)
    dialog.click(ID.IDC_PARTS_DELETE)
    box = s.wait_message_box(pid=main.pid)
    s.expect_equal((box.caption, box.message), (TITLE, QUESTION), "the delete question")
    s.expect_equal([b["id"] for b in box.buttons], [IDYES, IDNO], "Yes and No")
    box.press(button_id=IDNO)
    box.wait_gone()
    s.expect_equal(len(dialog.list_items(L)["items"]), 7, "No keeps the part")
    dialog.click(ID.IDC_PARTS_DELETE)
    answer(s, main, TITLE, QUESTION, IDYES)
    wait_rows(s, dialog, L, lambda r: len(r) == 6 and r[1] == line(1, ".\\arm_left.x"),
              "the deleted part")
    s.expect_equal(dialog.list_items(L)["selection"], 1, "the following part selected")

    check_enter_does_nothing(s, dialog, ID.IDC_PARTS_FILE_NAME)
    dialog.screenshot("morvel-parts-dialog-edited")
    dialog.click(ID.IDC_PARTS_COMMIT)
    box = s.wait_message_box(pid=main.pid)
    box.screenshot("morvel-parts-load-warning")
    s.expect_equal((box.caption, box.message),
                   (TITLE, "Xファイルの読み込みに失敗しました。(.\\missing.x)"), "the load warning")
    box.press(button_id=IDOK)
    dialog.wait_gone()


def expected_after_edits(original):
    """The robot with leg_right moved above leg_left, head deleted with its
    positions, and .\\missing.x appended."""
    renumber = {0: 0, 2: 1, 3: 2, 4: 4, 5: 3}
    document = {"parts": [".\\torso.x", ".\\arm_left.x", ".\\arm_right.x", ".\\leg_right.x",
                          ".\\leg_left.x", ".\\missing.x"],
                "motions": []}
    for motion in original["motions"]:
        frames = []
        for frame in motion["frames"]:
            positions = [dict(p, partNumber=renumber[p["partNumber"]]) for p in frame["positions"]
                         if p["partNumber"] != 1]
            frames.append(dict(frame, positions=positions))
        document["motions"].append(dict(motion, frames=frames))
    return document


def scenario(s):
    ID = ids(s)
    robot = robot_copy(s)
    path = robot / "robot.mvl"
    original = dump(s, path)
    app, main = start_editor(s, [s.windows_path(path)], cwd=s.folder)
    main.wait_title(title_for(s, path))

    dialog = open_dialog(s, main, "F6", TITLE)
    dialog.select_row(ID.IDC_PARTS_LIST, 0)
    dialog.click(ID.IDC_PARTS_DELETE)
    answer(s, main, TITLE, QUESTION, IDYES)
    wait_rows(s, dialog, ID.IDC_PARTS_LIST, lambda r: len(r) == 5, "the deleted part")
    dialog.click(IDCANCEL)
    dialog.wait_gone()
    dialog = open_dialog(s, main, "F6", TITLE)
    wait_rows(s, dialog, ID.IDC_PARTS_LIST, lambda r: len(r) == 6, "every part after a cancel")
    dialog.keys("Escape")
    dialog.wait_gone()

    dialog = open_dialog(s, main, "F6", TITLE)
    edit_parts(s, main, ID, dialog, robot, original)
    main.command(ID.CMD_FILE_SAVE)
    saved = s.wait_until(lambda: dump(s, path), lambda d: d != original, "the saved commit")
    expected = expected_after_edits(original)
    s.expect_equal([p["fileName"] for p in saved["parts"]], expected["parts"], "the saved parts")
    s.expect_equal(saved["motions"], expected["motions"], "positions renumbered, head's removed")
    s.expect_equal(saved["header"], original["header"], "the header untouched")
    main.screenshot("morvel-parts-committed")

    main.click_toolbar(ID.CMD_EDIT_UNDO)
    main.command(ID.CMD_FILE_SAVE)
    s.wait_until(lambda: dump(s, path), original, "the document after the undo button")

    main.close()
    answer(s, main, "閉じる", "現在編集されていますが、終了しますか？", IDYES)
    s.expect_equal(app.wait_exit(), 0, "exit code")


run(scenario)

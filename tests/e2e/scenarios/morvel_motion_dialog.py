"""The motion dialog (F7) on a copy of the robot: renaming, appending with a
Japanese name cut to its field, the delete question, copy, move, export and
import through the real file choosers, commit, save and undo; cancel,
Escape and Enter leave the document as it was."""

from morvel_e2e import run
from morvel_e2e.dialog_steps import (accept_chooser, answer, check_enter_does_nothing, enabled,
                                     open_dialog, wait_rows)
from morvel_e2e.morvel import IDCANCEL, IDNO, IDOK, IDYES, dump, ids, robot_copy, start_editor, title_for

TITLE = "編集：モーション"


def line(index, frames, name):
    return f"{index:6d}｜{frames:9d}｜{name}"


def edit_motions(s, main, ID, dialog, robot):
    L = ID.IDC_MOTION_LIST
    wait_rows(s, dialog, L, [line(0, 4, "walk"), line(1, 4, "wave")], "the robot's motions")
    s.expect_equal(dialog.list_items(L)["selection"], 0, "row 0 selected on opening")
    s.expect_equal([dialog.text(i) for i in (ID.IDC_MOTION_NUMBER, ID.IDC_MOTION_FRAME_COUNT)],
                   ["", ""], "placeholders emptied")
    buttons = (ID.IDC_MOTION_DELETE, ID.IDC_MOTION_COPY, ID.IDC_MOTION_EXPORT, ID.IDC_MOTION_UP,
               ID.IDC_MOTION_DOWN)
    s.expect_equal(enabled(dialog, buttons), [True, True, True, False, True], "buttons on opening")
    dialog.screenshot("morvel-motion-dialog")

    # Rename "wave" and give it a sound file name.
    dialog.double_click_row(L, 1)
    s.wait_until(lambda: dialog.text(ID.IDC_MOTION_NAME), "wave", "the double-clicked motion")
    s.expect_equal(dialog.text(ID.IDC_MOTION_FRAME_COUNT), "4", "its frame count")
    dialog.set_text(ID.IDC_MOTION_NAME, "wave2")
    dialog.set_text(ID.IDC_MOTION_SOUND, "wave.wav")
    dialog.click(ID.IDC_MOTION_UPDATE)
    wait_rows(s, dialog, L, lambda r: r[1] == line(1, 4, "wave2"), "the renamed motion")

    # A new motion: 18 bytes typed, 15 kept, never half a character.
    dialog.set_text(ID.IDC_MOTION_NAME, "走る動作ABCDEFGHIJ")
    dialog.set_text(ID.IDC_MOTION_SOUND, "")
    dialog.click(ID.IDC_MOTION_REGISTER)
    wait_rows(s, dialog, L, lambda r: len(r) == 3, "the registered motion")
    s.expect_equal(dialog.list_items(L)["items"][2], line(2, 0, "走る動作ABCDEFG"), "its row")
    s.expect_equal(dialog.list_items(L)["selection"], 2, "the new motion selected")

    # "walk" has frames: the question, answered No.
    dialog.select_row(L, 0)
    dialog.click(ID.IDC_MOTION_DELETE)
    box = s.wait_message_box(pid=main.pid)
    box.screenshot("morvel-motion-delete-question")
    s.expect_equal((box.caption, box.message), (TITLE, "フレームがあります。破棄しますか？"),
                   "the delete question")
    s.expect_equal([b["id"] for b in box.buttons], [IDYES, IDNO], "Yes and No")
    box.press(button_id=IDNO)
    box.wait_gone()
    s.expect_equal(len(dialog.list_items(L)["items"]), 3, "No keeps the motion")

    # Copy the new motion, then delete the copy: no frames, no question.
    dialog.select_row(L, 2)
    dialog.click(ID.IDC_MOTION_COPY)
    wait_rows(s, dialog, L, lambda r: len(r) == 4, "the copy")
    dialog.select_row(L, 3)
    dialog.click(ID.IDC_MOTION_DELETE)
    wait_rows(s, dialog, L, lambda r: len(r) == 3, "the copy deleted")
    s.expect_equal(dialog.list_items(L)["selection"], 2, "the new last row")

    # "wave2" up to row 0, selected with it.
    dialog.select_row(L, 1)
    dialog.click(ID.IDC_MOTION_UP)
    wait_rows(s, dialog, L, lambda r: r[0] == line(0, 4, "wave2"), "the moved motion")
    s.expect_equal(dialog.list_items(L)["selection"], 0, "the selection moved along")
    s.expect_equal(enabled(dialog, (ID.IDC_MOTION_UP,)), [False], "▲ on row 0")

    # Export "wave2" and import it back.
    exported = robot / "wave2.mvx"
    dialog.click(ID.IDC_MOTION_EXPORT)
    accept_chooser(s, main, "Morvelエクスポートファイル保存", robot / "wave2")
    answer(s, main, TITLE, "正常にエクスポートしました", IDOK)
    s.check(exported.is_file(), "the export file", exported, "nothing")
    dialog.click(ID.IDC_MOTION_IMPORT)
    accept_chooser(s, main, "Morvelエクスポートファイル読込", exported)
    answer(s, main, TITLE, "正常にインポートしました", IDOK)
    wait_rows(s, dialog, L, lambda r: len(r) == 4 and r[3] == line(3, 4, "wave2"), "the import")
    s.expect_equal(dialog.list_items(L)["selection"], 0, "row 0 after an import")

    # "walk" goes after all.
    dialog.select_row(L, 1)
    dialog.click(ID.IDC_MOTION_DELETE)
    answer(s, main, TITLE, "フレームがあります。破棄しますか？", IDYES)
    wait_rows(s, dialog, L, [line(0, 4, "wave2"), line(1, 0, "走る動作ABCDEFG"), line(2, 4, "wave2")],
              "the motions before the commit")
    check_enter_does_nothing(s, dialog, ID.IDC_MOTION_NAME)
    dialog.screenshot("morvel-motion-dialog-edited")
    dialog.click(ID.IDC_MOTION_COMMIT)
    dialog.wait_gone()


def scenario(s):
    ID = ids(s)
    robot = robot_copy(s)
    path = robot / "robot.mvl"
    original = dump(s, path)
    app, main = start_editor(s, [s.windows_path(path)], cwd=s.folder)
    main.wait_title(title_for(s, path))

    # Cancel and Escape change nothing.
    dialog = open_dialog(s, main, "F7", TITLE)
    dialog.select_row(ID.IDC_MOTION_LIST, 1)
    dialog.click(ID.IDC_MOTION_DELETE)
    answer(s, main, TITLE, "フレームがあります。破棄しますか？", IDYES)
    wait_rows(s, dialog, ID.IDC_MOTION_LIST, lambda r: len(r) == 1, "the deleted motion")
    dialog.click(IDCANCEL)
    dialog.wait_gone()
    dialog = open_dialog(s, main, "F7", TITLE)
    wait_rows(s, dialog, ID.IDC_MOTION_LIST, lambda r: len(r) == 2, "both motions after a cancel")
    dialog.keys("Escape")
    dialog.wait_gone()

    dialog = open_dialog(s, main, "F7", TITLE)
    edit_motions(s, main, ID, dialog, robot)
    main.command(ID.CMD_FILE_SAVE)
    saved = s.wait_until(lambda: dump(s, path), lambda d: d != original, "the saved commit")
    motions = saved["motions"]
    s.expect_equal([(m["name"], m["soundFileName"], len(m["frames"])) for m in motions],
                   [("wave2", "wave.wav", 4), ("走る動作ABCDEFG", "", 0), ("wave2", "wave.wav", 4)],
                   "the saved motions")
    s.expect_equal(motions[0]["frames"], original["motions"][1]["frames"], "wave's frames kept")
    s.expect_equal(motions[2]["frames"], motions[0]["frames"], "the imported frames")
    s.expect_equal(saved["parts"], original["parts"], "the parts untouched")

    # Undo takes the whole commit back.
    main.keys("ctrl+z")
    main.command(ID.CMD_FILE_SAVE)
    s.wait_until(lambda: dump(s, path), original, "the document after Ctrl+Z")

    main.close()
    answer(s, main, "閉じる", "現在編集されていますが、終了しますか？", IDYES)
    s.expect_equal(app.wait_exit(), 0, "exit code")


run(scenario)

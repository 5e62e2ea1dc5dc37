"""The frame dialog (F8) on the robot: the lists as it opens, a frame loaded
by a double click, "調整" between two frames, a long Japanese comment cut
to fifteen bytes, update, move, copy, the question before deleting a frame
with positions answered both ways, Enter that does nothing, switching
motions; the commit saved and read back; Escape that discards; Ctrl+Z that
brings the old document back."""

import copy

from morvel_e2e import run
from morvel_e2e.dialogs import DIALOG_CLASS, enabled, open_dialog, save_and_dump
from morvel_e2e.morvel import IDNO, IDYES, dump, ids, robot_copy, start_editor, title_for

CAPTION = "編集：フレーム"


def rows_of(frames):
    return [f"{i:6d}｜{len(f['positions']):10d}｜{f['comment']}" for i, f in enumerate(frames)]


def wait_frames(s, dialog, ID, frames, selection, what):
    def seen():
        items = dialog.list_items(ID.IDC_FRAME_LIST)
        return items["items"], items["selection"]
    s.wait_until(seen, (rows_of(frames), selection), what)


def halfway_rotation(a, b):
    total = (a + b + 32768) % 65536 - 32768  # kept in a signed 16-bit value
    half = abs(total) // 2
    return -half if total < 0 else half


def halfway_frame(frame, following):
    """The frame "調整" puts between frame and following."""
    made = copy.deepcopy(frame)
    for mine, theirs in zip(made["positions"], following["positions"]):
        for key in ("ambient", "diffuse", "scale", "translation"):
            mine[key] = [(a + b) / 2.0 for a, b in zip(mine[key], theirs[key])]
        mine["rotation"] = [halfway_rotation(a, b) for a, b in zip(mine["rotation"], theirs["rotation"])]
    return made


def cut_comment(text, limit=15):
    """The comment as stored: at most fifteen code page 932 bytes, never half a character."""
    kept = ""
    for char in text:
        if len((kept + char).encode("cp932")) > limit:
            break
        kept += char
    return kept


def check_opening(s, dialog, ID, document):
    motions = dialog.list_items(ID.IDC_FRAME_MOTION_LIST)
    s.expect_equal((motions["items"], motions["selection"]),
                   ([m["name"] for m in document["motions"]], 0), "motion list")
    wait_frames(s, dialog, ID, document["motions"][0]["frames"], 0, "frame list of motion 0")
    s.expect_equal([dialog.text(i) for i in (ID.IDC_FRAME_NUMBER, ID.IDC_FRAME_POSITION_COUNT,
                                             ID.IDC_FRAME_COMMENT)], ["", "", ""],
                   "detail fields emptied")
    s.expect_equal([enabled(dialog, i) for i in (ID.IDC_FRAME_DELETE, ID.IDC_FRAME_COPY,
                                                  ID.IDC_FRAME_UP, ID.IDC_FRAME_DOWN)],
                   [True, True, False, True], "table buttons on row 0")
    dialog.screenshot("morvel-frame-dialog")


def edit_walk(s, dialog, ID, frames):
    """Edits motion 0's frames in the dialog and in `frames` alike."""
    dialog.click_row(ID.IDC_FRAME_LIST, 1, double=True)
    s.wait_until(lambda: [dialog.text(i) for i in (ID.IDC_FRAME_NUMBER, ID.IDC_FRAME_POSITION_COUNT,
                                                    ID.IDC_FRAME_COMMENT)],
                 ["1", str(len(frames[1]["positions"])), frames[1]["comment"]], "frame 1 loaded")

    dialog.click(ID.IDC_FRAME_ADJUST)
    frames.insert(2, halfway_frame(frames[1], frames[2]))
    wait_frames(s, dialog, ID, frames, 1, "the in-between frame after row 1")

    long_comment = "とても長いコメントです123"
    dialog.set_text(ID.IDC_FRAME_COMMENT, long_comment)
    dialog.click(ID.IDC_FRAME_REGISTER)
    frames.append({"comment": cut_comment(long_comment), "positions": []})
    wait_frames(s, dialog, ID, frames, len(frames) - 1, "a frame registered last")
    s.expect_equal(dialog.text(ID.IDC_FRAME_COMMENT), "", "registering empties the comment")

    dialog.click_row(ID.IDC_FRAME_LIST, 0)
    dialog.set_text(ID.IDC_FRAME_COMMENT, "first!")
    dialog.click(ID.IDC_FRAME_UPDATE)
    frames[0]["comment"] = "first!"
    # Enter has no button to press: the dialog stays and goes on working.
    dialog.keys("Return")
    dialog.click(ID.IDC_FRAME_DOWN)
    frames[0], frames[1] = frames[1], frames[0]
    dialog.click(ID.IDC_FRAME_COPY)
    frames.insert(2, copy.deepcopy(frames[1]))
    wait_frames(s, dialog, ID, frames, 1, "updated, moved down and copied")

    dialog.click(ID.IDC_FRAME_DELETE)
    for answer in (IDNO, IDYES):
        box = s.wait_message_box(pid=dialog.pid)
        if answer == IDNO:
            box.screenshot("morvel-frame-delete-question")
            s.expect_equal((box.caption, box.message, [b["id"] for b in box.buttons], box.has_icon),
                           (CAPTION, "ポジションがあります。破棄しますか？", [IDYES, IDNO], True),
                           "the question before deleting")
        box.press(button_id=answer)
        if answer == IDNO:
            wait_frames(s, dialog, ID, frames, 1, "No keeps the frame")
            dialog.click(ID.IDC_FRAME_DELETE)
    del frames[1]
    wait_frames(s, dialog, ID, frames, 1, "Yes deletes it")

    # The registered frame has no positions: deleted without a question.
    dialog.click_row(ID.IDC_FRAME_LIST, len(frames) - 1)
    dialog.click(ID.IDC_FRAME_DELETE)
    frames.pop()
    wait_frames(s, dialog, ID, frames, len(frames) - 1, "the empty frame deleted")


def check_other_motion(s, dialog, ID, document, frames):
    dialog.click_row(ID.IDC_FRAME_MOTION_LIST, 1)
    wait_frames(s, dialog, ID, document["motions"][1]["frames"], 0, "motion 1's frames")
    dialog.click_row(ID.IDC_FRAME_MOTION_LIST, 0)
    wait_frames(s, dialog, ID, frames, 0, "back on motion 0, row 0")


def check_cancel(s, main, ID, path, committed):
    dialog = open_dialog(s, main, "F8", CAPTION)
    dialog.click(ID.IDC_FRAME_DELETE)
    s.wait_message_box(pid=main.pid).press(button_id=IDYES)
    s.wait_until(lambda: dialog.list_items(ID.IDC_FRAME_LIST)["count"],
                 len(committed["motions"][0]["frames"]) - 1, "deleted in the dialog")
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

    main.click_toolbar(ID.CMD_EDIT_FRAME)
    dialog = s.wait_window(cls=DIALOG_CLASS, title=CAPTION, pid=main.pid)
    check_opening(s, dialog, ID, original)
    frames = copy.deepcopy(original["motions"][0]["frames"])
    edit_walk(s, dialog, ID, frames)
    check_other_motion(s, dialog, ID, original, frames)
    dialog.click(ID.IDC_FRAME_COMMIT)
    dialog.wait_gone()

    expected = copy.deepcopy(original)
    expected["motions"][0]["frames"] = frames
    committed = save_and_dump(s, main, ID, path)
    s.expect_equal(committed, expected, "the saved document")

    check_cancel(s, main, ID, path, committed)

    main.keys("ctrl+z")
    s.wait_until(lambda: save_and_dump(s, main, ID, path), original, "Ctrl+Z undoes the commit")

    main.close()
    s.wait_message_box(pid=main.pid).press(button_id=IDYES)
    s.expect_equal(app.wait_exit(), 0, "exit code")


run(scenario)

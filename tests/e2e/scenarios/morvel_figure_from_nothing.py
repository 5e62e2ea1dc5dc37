"""A figure built from an empty document through the edit dialogs only: two
parts from X files, one motion, two frames, positions with typed values, and
an in-between frame made with 調整; saved under a new name and compared with
the document written out by hand below."""

from morvel_e2e import run
from morvel_e2e.dialogs import open_dialog
from morvel_e2e.morvel import IDYES, TITLE_NEW, choose_file, dump, ids, robot_copy, start_editor, title_for

ZERO4 = [0.0, 0.0, 0.0, 0.0]


def position(part, translation, rotation):
    return {"partNumber": part, "ambient": ZERO4, "diffuse": ZERO4, "scale": [1.0, 1.0, 1.0],
            "translation": translation, "rotation": rotation}


EXPECTED_PARTS = [".\\torso.x", ".\\head.x"]
EXPECTED_FRAMES = [
    {"comment": "a", "positions": [position(0, [0.0, 0.0, 0.0], [0, 0, 0]),
                                   position(1, [0.0, 40.0, 0.0], [0, 0, 0])]},
    # 調整 between a and b: halfway values, frame a's comment.
    {"comment": "a", "positions": [position(0, [5.0, 0.0, 0.0], [0, 45, 0]),
                                   position(1, [5.0, 40.0, 0.0], [0, 45, 0])]},
    {"comment": "b", "positions": [position(0, [10.0, 0.0, 0.0], [0, 90, 0]),
                                   position(1, [10.0, 40.0, 0.0], [0, 90, 0])]},
]


def add_parts(s, main, ID):
    dialog = open_dialog(s, main, "F6", "編集：パーツ")
    for name in ("torso.x", "head.x"):
        dialog.set_text(ID.IDC_PARTS_FILE_NAME, name)
        dialog.click(ID.IDC_PARTS_REGISTER)
        s.wait_until(lambda: dialog.text(ID.IDC_PARTS_FILE_NAME), "", f"{name} registered")
    dialog.click(ID.IDC_PARTS_COMMIT)
    dialog.wait_gone()


def add_motion_and_frames(s, main, ID):
    dialog = open_dialog(s, main, "F7", "編集：モーション")
    dialog.set_text(ID.IDC_MOTION_NAME, "stride")
    dialog.click(ID.IDC_MOTION_REGISTER)
    s.wait_until(lambda: dialog.list_items(ID.IDC_MOTION_LIST)["count"], 1, "the motion registered")
    dialog.click(ID.IDC_MOTION_COMMIT)
    dialog.wait_gone()

    dialog = open_dialog(s, main, "F8", "編集：フレーム")
    for comment in ("a", "b"):
        dialog.set_text(ID.IDC_FRAME_COMMENT, comment)
        dialog.click(ID.IDC_FRAME_REGISTER)
        s.wait_until(lambda: dialog.text(ID.IDC_FRAME_COMMENT), "", f"frame {comment} registered")
    dialog.click(ID.IDC_FRAME_COMMIT)
    dialog.wait_gone()


def type_position(dialog, ID, translation, rotation):
    fields = {
        "AMBIENT_R": "0", "AMBIENT_G": "0", "AMBIENT_B": "0", "AMBIENT_A": "0",
        "DIFFUSE_R": "0", "DIFFUSE_G": "0", "DIFFUSE_B": "0", "DIFFUSE_A": "0",
        "SCALE_X": "1", "SCALE_Y": "1", "SCALE_Z": "1",
        "TRANSLATION_X": translation[0], "TRANSLATION_Y": translation[1], "TRANSLATION_Z": translation[2],
        "ROTATION_X": rotation[0], "ROTATION_Y": rotation[1], "ROTATION_Z": rotation[2],
    }
    for name, text in fields.items():
        dialog.set_text(getattr(ID, f"IDC_POSITION_{name}"), text)


def add_positions(s, main, ID):
    dialog = open_dialog(s, main, "F9", "編集：ポジション")
    for frame, x, angle in ((0, "0", "0"), (1, "10", "90")):
        dialog.select_row(ID.IDC_POSITION_FRAME_LIST, row=frame)
        for part, y in ((0, "0"), (1, "40")):
            dialog.select_row(ID.IDC_POSITION_PART_LIST, row=part)
            type_position(dialog, ID, (x, y, "0"), ("0", angle, "0"))
            dialog.click(ID.IDC_POSITION_REGISTER)
            s.wait_until(lambda: dialog.list_items(ID.IDC_POSITION_LIST)["count"], part + 1,
                         f"position {part} of frame {frame}")
    dialog.screenshot("morvel-figure-positions")
    dialog.click(ID.IDC_POSITION_COMMIT)
    dialog.wait_gone()


def adjust(s, main, ID):
    dialog = open_dialog(s, main, "F8", "編集：フレーム")
    dialog.select_row(ID.IDC_FRAME_LIST, row=0)
    dialog.click(ID.IDC_FRAME_ADJUST)
    s.wait_until(lambda: dialog.list_items(ID.IDC_FRAME_LIST)["count"], 3, "the in-between frame")
    dialog.click(ID.IDC_FRAME_COMMIT)
    dialog.wait_gone()


def scenario(s):
    ID = ids(s)
    robot = robot_copy(s)
    # Parts typed without a folder are looked for in the current folder.
    app, main = start_editor(s, cwd=robot)
    main.wait_title(TITLE_NEW)
    add_parts(s, main, ID)
    add_motion_and_frames(s, main, ID)
    add_positions(s, main, ID)
    adjust(s, main, ID)
    main.wait_status(0, "View-Rotation-X[0] [↑,↓]")
    main.click_menu(ID.CMD_SHIFT_FRAME_NEXT)  # the in-between frame
    main.screenshot("morvel-figure-from-nothing")

    target = s.folder / "stride"
    main.command(ID.CMD_FILE_SAVE_AS)
    choose_file(s, main, target).wait_gone()
    saved = target.with_suffix(".mvl")
    main.wait_title(title_for(s, saved))
    document = dump(s, saved)
    s.expect_equal([p["fileName"] for p in document["parts"]], EXPECTED_PARTS, "parts")
    s.expect_equal([(m["name"], m["soundFileName"]) for m in document["motions"]], [("stride", "")],
                   "motions")
    s.expect_equal(document["motions"][0]["frames"], EXPECTED_FRAMES, "frames and positions")

    main.close()
    box = s.wait_message_box(pid=main.pid)
    box.press(button_id=IDYES)
    s.expect_equal(app.wait_exit(), 0, "exit code")


run(scenario)

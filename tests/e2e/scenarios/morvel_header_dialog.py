"""The header dialog (F5) on a copy of the robot: what it shows, a user code
cut to 15 characters, the culling buttons as one group, the axis and
right-handed boxes, nonsense in the scale fields, commit, a save that then
needs the code, and undo from the 編集 menu; cancel, Escape and Enter leave the header as it
was."""

import subprocess

from morvel_e2e import run
from morvel_e2e.dialog_steps import answer, check_enter_does_nothing, open_dialog
from morvel_e2e.morvel import IDCANCEL, IDYES, dump, ids, robot_copy, start_editor, title_for

TITLE = "編集：ヘッダ"


def shown(ID, dialog):
    checks = (ID.IDC_HEADER_CULL_NONE, ID.IDC_HEADER_CULL_RIGHT, ID.IDC_HEADER_CULL_LEFT,
              ID.IDC_HEADER_AXIS_X, ID.IDC_HEADER_AXIS_Y, ID.IDC_HEADER_AXIS_Z,
              ID.IDC_HEADER_RIGHT_HANDED)
    texts = (ID.IDC_HEADER_USER_CODE, ID.IDC_HEADER_PART_COUNT, ID.IDC_HEADER_MOTION_COUNT,
             ID.IDC_HEADER_SCALE_X, ID.IDC_HEADER_SCALE_Y, ID.IDC_HEADER_SCALE_Z)
    return [dialog.is_checked(i) for i in checks], [dialog.text(i) for i in texts]


ROBOT_SHOWN = ([False, False, True, True, True, True, False],
               ["", "6", "2", "1.000000", "1.000000", "1.000000"])


def try_dump(s, path, code=None):
    """The file as mvltool reads it, or None while it needs another code."""
    try:
        return dump(s, path, code)
    except subprocess.CalledProcessError:
        return None


def edit_header(s, ID, dialog):
    s.expect_equal(shown(ID, dialog), ROBOT_SHOWN, "the robot's header")
    dialog.screenshot("morvel-header-dialog")
    check_enter_does_nothing(s, dialog, ID.IDC_HEADER_USER_CODE)

    dialog.set_text(ID.IDC_HEADER_USER_CODE, "ABCDEFGHIJKLMNOPQRST")
    dialog.set_check(ID.IDC_HEADER_CULL_NONE)  # a click: the group clears "左回り"
    s.expect_equal([dialog.is_checked(i) for i in (ID.IDC_HEADER_CULL_RIGHT,
                                                   ID.IDC_HEADER_CULL_LEFT)],
                   [False, False], "one culling button at a time")
    dialog.set_check(ID.IDC_HEADER_AXIS_Y, False)
    dialog.set_check(ID.IDC_HEADER_RIGHT_HANDED)
    dialog.set_text(ID.IDC_HEADER_SCALE_X, "50")
    dialog.set_text(ID.IDC_HEADER_SCALE_Y, "abc")
    dialog.set_text(ID.IDC_HEADER_SCALE_Z, "1-2")
    dialog.screenshot("morvel-header-dialog-edited")
    dialog.click(ID.IDC_HEADER_COMMIT)
    dialog.wait_gone()


def scenario(s):
    ID = ids(s)
    robot = robot_copy(s)
    path = robot / "robot.mvl"
    original = dump(s, path)
    app, main = start_editor(s, [s.windows_path(path)], cwd=s.folder)
    main.wait_title(title_for(s, path))

    dialog = open_dialog(s, main, "F5", TITLE)
    dialog.set_check(ID.IDC_HEADER_AXIS_X, False)
    dialog.set_check(ID.IDC_HEADER_CULL_RIGHT)
    dialog.set_text(ID.IDC_HEADER_SCALE_X, "7")
    dialog.click(IDCANCEL)
    dialog.wait_gone()
    dialog = open_dialog(s, main, "F5", TITLE)
    s.expect_equal(shown(ID, dialog), ROBOT_SHOWN, "the header after a cancel")
    dialog.set_check(ID.IDC_HEADER_RIGHT_HANDED)
    dialog.keys("Escape")
    dialog.wait_gone()

    dialog = open_dialog(s, main, "F5", TITLE)
    edit_header(s, ID, dialog)
    main.command(ID.CMD_FILE_SAVE)
    code = "ABCDEFGHIJKLMNO"
    saved = s.wait_until(lambda: try_dump(s, path, code),
                         lambda d: d is not None and d["header"]["userCode"] == code,
                         "the saved header, opened with the cut code")
    header = saved["header"]
    s.expect_equal([header[k] for k in ("cullingMode", "axisDirection", "rightHanded")], [0, 5, 1],
                   "culling, axes, handedness")
    s.expect_equal(header["initialScale"], [50.0, 0.0, 0.0], "the scale, nonsense read as 0")
    unchanged = {k: v for k, v in original["header"].items()
                 if k not in ("userCode", "cullingMode", "axisDirection", "rightHanded",
                              "initialScale")}
    s.expect_equal({k: header[k] for k in unchanged}, unchanged, "the rest of the header")
    s.expect_equal((saved["parts"], saved["motions"]), (original["parts"], original["motions"]),
                   "the tables untouched")
    main.screenshot("morvel-header-committed")  # no culling, right-handed

    main.click_menu(ID.CMD_EDIT_UNDO)
    main.command(ID.CMD_FILE_SAVE)
    s.wait_until(lambda: try_dump(s, path), original, "the document after 元に戻す")

    main.close()
    answer(s, main, "閉じる", "現在編集されていますが、終了しますか？", IDYES)
    s.expect_equal(app.wait_exit(), 0, "exit code")


run(scenario)

"""Autosave and recovery in the real editor: a short interval set through
the 自動保存 dialog, an edit of the robot, the recovery copy it writes, the
editor killed, and the next starts' question answered each way: restore
(the edited pose under the robot's own name, unsaved), keep (the copy stays)
and discard (after a second question nothing remains)."""

import os
import re
import signal

from morvel_e2e import run
from morvel_e2e.morvel import IDOK, IDYES, ids, robot_copy, start_editor, status_number, title_for


def recovery_copies(s):
    return sorted(s.prefix.glob("drive_c/users/*/AppData/Local/Morvel/Recovery/morvel-*.mvl"))


def kill(app):
    os.kill(app.pid, signal.SIGKILL)
    app.process.wait()


def question(s, main):
    return s.wait_window(cls="#32770", title="自動保存の回復", pid=main.pid, timeout=20)


def scenario(s):
    ID = ids(s)
    robot = robot_copy(s)
    robot_mvl = robot / "robot.mvl"
    app, main = start_editor(s, ["robot.mvl"], cwd=robot)
    main.wait_title(title_for(s, robot_mvl))

    # Three seconds, typed as minutes.
    main.click_menu(ID.CMD_TOOL_AUTOSAVE)
    dialog = s.wait_window(cls="#32770", title="自動保存", pid=main.pid)
    s.expect_equal(dialog.text(ID.IDC_AUTOSAVE_MINUTES), "5", "the default interval")
    dialog.set_text(ID.IDC_AUTOSAVE_MINUTES, "0.05")
    dialog.screenshot("morvel-autosave-settings")
    dialog.click(IDOK)
    dialog.wait_gone()
    s.wait_until(lambda: s.reg_query("HKCU\\Software\\Kelvarin\\Morvel").get("AutosaveSeconds", {})
                 .get("data"), "3", "the interval in the registry")

    # An edit with real keys, then the copy it leads to.
    main.keys("p")
    main.wait_status(0, re.compile(r"^Position-X\["))
    x = status_number(main, 0, "Position-X")
    main.keys("shift+Left", "shift+Left")
    edited = s.wait_until(lambda: status_number(main, 0, "Position-X"), x - 10, "two Shift+Left")
    copies = s.wait_until(lambda: recovery_copies(s), lambda found: len(found) == 1,
                          "a recovery copy written", timeout=30)
    copy = copies[0]
    kill(app)

    # Restore: the edited pose, titled with the robot's own path, unsaved.
    app, main = start_editor(s, cwd=robot)
    dialog = question(s, main)
    s.expect_equal(dialog.text(ID.IDC_RECOVERY_NAME), "文書: robot.mvl", "the document named")
    s.expect_equal(dialog.text(ID.IDC_RECOVERY_TIME),
                   re.compile(r"^自動保存した時刻: \d{4}年\d+月\d+日 \d\d:\d\d:\d\d$"), "the time")
    dialog.screenshot("morvel-recovery-question")
    dialog.click(ID.IDC_RECOVERY_RESTORE)
    dialog.wait_gone()
    main.wait_title(title_for(s, robot_mvl))
    main.keys("p")
    main.wait_status(0, re.compile(r"^Position-X\["))
    s.expect_equal(status_number(main, 0, "Position-X"), edited, "the restored pose")
    s.check(copy.exists(), "the restored copy stays until this editor writes its own")
    kill(app)

    # Keep: the copy waits for the next start.
    app, main = start_editor(s, cwd=robot)
    dialog = question(s, main)
    dialog.click(ID.IDC_RECOVERY_KEEP)
    dialog.wait_gone()
    s.check(copy.exists(), "a kept copy stays")
    main.close()
    s.expect_equal(app.wait_exit(), 0, "exit code after keeping")
    s.check(copy.exists(), "a clean exit leaves a copy it did not take")

    # Discard, after a second question: nothing remains.
    app, main = start_editor(s, cwd=robot)
    dialog = question(s, main)
    dialog.click(ID.IDC_RECOVERY_DISCARD)
    dialog.wait_gone()
    box = s.wait_message_box(pid=main.pid)
    s.expect_equal(box.caption, "自動保存の回復", "the second question's caption")
    box.press(button_id=IDYES)
    box.wait_gone()
    s.expect_equal(recovery_copies(s), [], "recovery copies after discarding")
    main.close()
    s.expect_equal(app.wait_exit(), 0, "exit code")


run(scenario)

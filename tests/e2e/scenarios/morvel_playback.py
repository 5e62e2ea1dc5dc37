"""Playback of a motion in the real editor: Space starts and stops it, the
status texts follow the played frame and blend, in-between poses and the
onion skin are drawn, the speed dialog takes 1 to 60, and afterwards the
document, its file and the undo history are as they were."""

import re

from morvel_e2e import run
from morvel_e2e.morvel import IDOK, IDYES, dump, ids, robot_copy, start_editor, title_for

PLAYING = re.compile(r"^再生: Motion-\[0\] Frame-\[(\d+)\]$")


def played_frame(main):
    found = PLAYING.match(main.status_texts()[0])
    return int(found.group(1)) if found else None


def set_speed(s, main, ID, text, accepted):
    main.click_menu(ID.CMD_PLAY_SPEED)
    dialog = s.wait_window(cls="#32770", title="再生速度", pid=main.pid)
    dialog.set_text(ID.IDC_SPEED_EDIT, text)
    dialog.click(IDOK)
    if not accepted:
        box = s.wait_message_box(owner=dialog)
        s.expect_equal(box.message, "1から60までの数を入力してください。", f"speed {text!r} refused")
        box.press(button_id=IDOK)
        box.wait_gone()
        dialog.screenshot("morvel-playback-speed")
        return dialog
    dialog.wait_gone()
    return None


def scenario(s):
    ID = ids(s)
    robot = robot_copy(s)
    mvl = robot / "robot.mvl"
    original = dump(s, mvl)
    app, main = start_editor(s, ["robot.mvl"], cwd=robot)
    main.wait_title(title_for(s, mvl))
    main.wait_status(1, "View-Rotation-Y[-30] [←,→]")
    main.keys("Left")  # one undo step before playback
    main.wait_status(1, "View-Rotation-Y[329] [←,→]")

    dialog = set_speed(s, main, ID, "abc", accepted=False)
    dialog.set_text(ID.IDC_SPEED_EDIT, "4")
    dialog.click(IDOK)
    dialog.wait_gone()

    main.keys("space")
    s.wait_until(lambda: played_frame(main), 0, "playback starts at the selected frame")
    s.wait_until(lambda: main.status_texts()[1], re.compile(r"^Frame-\[0\]→\[1\] 0\.[1-9]\d$"),
                 "an in-between pose")
    main.screenshot("morvel-playback-in-between")
    s.wait_until(lambda: played_frame(main), lambda f: f is not None and f >= 2, "the played frame advances")
    main.keys("space")
    main.wait_status(0, re.compile(r"^View-Rotation-X"), timeout=5)

    main.command(ID.CMD_PLAY_ONION_SKIN)
    main.keys("shift+f")  # next frame: both neighbours exist
    main.wait_status(0, re.compile(r"^View-Rotation-X"))
    main.screenshot("morvel-onion-skin")

    # The document as it was: one undo step (the key), then nothing more.
    main.keys("ctrl+z", "ctrl+z")
    main.wait_status(1, "View-Rotation-Y[-30] [←,→]")
    main.keys("ctrl+z")
    main.wait_status(1, "View-Rotation-Y[-30] [←,→]")
    main.command(ID.CMD_FILE_SAVE)
    s.wait_until(lambda: dump(s, mvl), original, "the saved file after playback")

    main.close()
    box = s.wait_message_box(pid=main.pid)
    box.press(button_id=IDYES)
    s.expect_equal(app.wait_exit(), 0, "exit code")


run(scenario)

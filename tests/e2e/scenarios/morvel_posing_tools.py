"""The posing tools with real pointer input: parts picked by double clicks
in the view (the right arm, the head, then the background, which changes
nothing) without an undo step; the pose copied and pasted mirrored through
the ツール menu, and the paste's two refusals; the timeline opened from the
menu, a cell clicked, one dragged onto another, its context menu, the
playing frame marked during playback while keys pressed in it reach the
main window; its place and visibility kept across two starts."""

import copy
import math
import re

from morvel_e2e import run
from morvel_e2e.dialogs import save_and_dump
from morvel_e2e.morvel import (IDOK, IDYES, SETTINGS_KEY, build, choose_file, dump, ids,
                               robot_copy, start_editor, strip_cell_centre, title_for)
from morvel_e2e.windows import rect_centre
from morvel_e2e.xinput import line_points

TIMELINE = "タイムライン"
PLAYING_MARK = (230, 80, 40)
# The centres of the robot's boxes in their parts' own space (examples/robot/make_robot.py).
BOX_CENTRES = {1: (0, 0, 0), 3: (0, -25, 0)}  # head, right arm


def on_screen(main, header, position, point):
    """Client pixel of a point of a posed part, as the view projects it: the
    header's camera looking at the origin (left-handed), a perspective of
    pi/4 whose aspect is the view's width over its bottom edge, onto a back
    buffer of the client's size."""
    def matrix_product(a, b):
        return [[sum(a[r][k] * b[k][c] for k in range(4)) for c in range(4)] for r in range(4)]

    def rotation(axis, degrees):
        c, s = math.cos(math.radians(degrees)), math.sin(math.radians(degrees))
        m = [[float(r == k) for k in range(4)] for r in range(4)]
        i, j = {"x": (1, 2), "y": (2, 0), "z": (0, 1)}[axis]
        m[i][i], m[i][j], m[j][i], m[j][j] = c, s, -s, c
        return m

    def unit(v):
        length = math.sqrt(sum(c * c for c in v))
        return [c / length for c in v]

    def cross(a, b):
        return [a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]]

    e, a = math.radians(header["cameraElevation"]), math.radians(header["cameraAzimuth"])
    eye = [header["cameraDistance"] * c for c in
           (math.cos(e) * math.sin(a), math.sin(e), math.cos(e) * math.cos(a))]
    z = unit([-c for c in eye])
    x = unit(cross([0, 1, 0], z))
    y = cross(z, x)
    view = [[x[0], y[0], z[0], 0], [x[1], y[1], z[1], 0], [x[2], y[2], z[2], 0],
            [-sum(p * q for p, q in zip(axis, eye)) for axis in (x, y, z)] + [1]]
    client = main.client
    bar = [c for c in main.controls() if c["class"].lower() == "msctls_statusbar32"]
    view_bottom = bar[0]["client_rect"]["top"]
    focal = 1 / math.tan(math.pi / 8)
    near, far = 1.0, 100000.0
    projection = [[focal * view_bottom / client["width"], 0, 0, 0], [0, focal, 0, 0],
                  [0, 0, far / (far - near), 1], [0, 0, -near * far / (far - near), 0]]
    world = [[float(r == k) * (position["scale"][r] if r < 3 else 1) for k in range(4)]
             for r in range(4)]
    for axis, degrees in zip("xyz", position["rotation"]):
        world = matrix_product(world, rotation(axis, degrees))
    world = matrix_product(world, [[1, 0, 0, 0], [0, 1, 0, 0], [0, 0, 1, 0],
                                   position["translation"] + [1]])
    m = matrix_product(matrix_product(world, view), projection)
    clip = [sum(c * m[k][col] for k, c in enumerate([*point, 1])) for col in range(4)]
    return (round((clip[0] / clip[3] + 1) / 2 * client["width"]),
            round((1 - clip[1] / clip[3]) / 2 * client["height"]))


def position_texts(position):
    x, y, _ = position["translation"]
    return [f"Position-X[{x:f}] [←,→]", f"Position-Y[{y:f}] [↑,↓]"]


def colour_at(s, x, y):
    return s.pixels({"left": x, "top": y, "right": x + 1, "bottom": y + 1})[0][0]


def view_background(s, main):
    """The colour of a corner of the view that the figure never reaches."""
    return colour_at(s, *main.to_screen((20, 60)))


def answer(s, main, message, caption="ポーズ"):
    box = s.wait_message_box(pid=main.pid)
    s.expect_equal((box.caption, box.message), (caption, message), f"message box {caption}")
    place = box.refresh()["rect"]
    box.press(button_id=IDYES if caption in ("開く", "閉じる") else IDOK)
    return place


def check_picking(s, main, ID, document):
    header = document["header"]
    pose = document["motions"][0]["frames"][0]["positions"]
    main.click_menu(ID.CMD_MODE_TRANSLATE)  # the status shows the selected position
    main.wait_status(0, re.compile(r"^Position-X\["))
    for index in (1, 3):
        main.click_at(on_screen(main, header, pose[index], BOX_CENTRES[index]), repeat=2)
        s.wait_until(lambda: main.status_texts()[:2], position_texts(pose[index]),
                     f"a double click on part {index} selects position {index}")
    main.screenshot("morvel-picked-right-arm")
    main.click_at((20, 60), repeat=2)  # the background
    main.keys("r")  # handled after the double click
    main.wait_status(0, "Rotation-X[-30] [↑,↓]")  # still the right arm
    # Ctrl+Z has no step to take back: the picks stored none.
    main.keys("ctrl+z", "p")
    s.wait_until(lambda: main.status_texts()[:2], position_texts(pose[3]), "Ctrl+Z after the picks")


def check_clipboard(s, main, ID, path, original):
    background = view_background(s, main)
    main.keys("ctrl+v")  # nothing copied yet in this prefix
    box = answer(s, main, "クリップボードにポーズがありません。")
    # Redrawn where the message was (an empty part of the view) before the
    # menu's picture is taken.
    s.wait_until(lambda: colour_at(s, *rect_centre(box)), background, "the view redrawn")
    main.click_menu(ID.CMD_TOOL_COPY_POSE, screenshot="morvel-tools-menu")
    main.click_menu(ID.CMD_TOOL_TIMELINE)
    timeline = s.wait_window(cls="#32770", title=TIMELINE, pid=main.pid)
    s.expect_equal(timeline.text(ID.IDC_TIMELINE_MOTION), "モーション 0: walk（4 フレーム）",
                   "the timeline's motion line")
    s.expect_equal(main.menu_item(ID.CMD_TOOL_TIMELINE)["checked"], True, "タイムライン checked")
    s.input.click(*strip_cell_centre(timeline, ID, 1))  # frame 1 selected
    timeline.wait_input_taken()
    # The main window activated through its menu bar while the timeline was
    # active: its view comes back over it.
    main.click_menu(ID.CMD_TOOL_PASTE_POSE_MIRRORED)
    s.wait_until(lambda: view_background(s, main), background, "the view over the main window")
    # Frame 0 mirrored is frame 2: the arms and legs swing the other way.
    expected = copy.deepcopy(original)
    frames = expected["motions"][0]["frames"]
    frames[1]["positions"] = copy.deepcopy(frames[2]["positions"])
    s.wait_until(lambda: save_and_dump(s, main, ID, path), expected, "frame 0 pasted mirrored on 1")
    s.screenshot("morvel-mirrored-pose")
    main.keys("ctrl+z")
    s.wait_until(lambda: save_and_dump(s, main, ID, path), original, "one undo of the paste")
    return timeline


def check_timeline_edits(s, main, timeline, ID, path, original):
    frames = original["motions"][0]["frames"]
    start, end = strip_cell_centre(timeline, ID, 0), strip_cell_centre(timeline, ID, 2)
    s.input.drag(line_points(start, end, 8))
    timeline.wait_input_taken()
    s.wait_until(lambda: [f["comment"] for f in save_and_dump(s, main, ID, path)["motions"][0]["frames"]],
                 ["step 1", "step 2", "step 0", "step 3"], "frame 0 dragged onto frame 2")
    main.keys("ctrl+z")  # the drag was one step

    s.input.click(*strip_cell_centre(timeline, ID, 3), button="right")
    popups = s.wait_until(main.open_popups, lambda p: len(p) == 1, "the strip's context menu")
    s.expect_equal([(i["text"], i["grayed"]) for i in popups[0]["items"]],
                   [("中間フレームを挿入", True), ("複製", False), ("削除", False)],
                   "context menu of the last frame")
    main.click_popup_item("複製")
    s.wait_until(lambda: timeline.text(ID.IDC_TIMELINE_MOTION), "モーション 0: walk（5 フレーム）",
                 "the duplicated frame in the timeline")
    s.wait_until(lambda: save_and_dump(s, main, ID, path)["motions"][0]["frames"],
                 frames + [frames[3]], "the drag undone, then the last frame duplicated")


def check_playing_mark(s, main, timeline, ID):
    main.click_menu(ID.CMD_PLAY_LOOP)
    strip = timeline.control(ID.IDC_TIMELINE_STRIP)["rect"]
    top_band = {"left": strip["left"], "top": strip["top"], "right": strip["right"],
                "bottom": strip["top"] + 5}
    # Space pressed in the active timeline plays and stops the main window's motion.
    label = timeline.control(ID.IDC_TIMELINE_MOTION)["rect"]
    s.input.click(label["right"] - 10, (label["top"] + label["bottom"]) // 2)
    s.wait_until(lambda: main.thread_state()["active"], timeline.hwnd, "the timeline active")
    s.input.keys(["space"])
    main.wait_status(0, re.compile(r"^再生: Motion-\[0\] Frame-\[\d+\]$"))
    s.wait_until(lambda: sum(row.count(PLAYING_MARK) for row in s.pixels(top_band)),
                 lambda n: n >= 5 * 80, "the playing frame's orange bar")
    s.screenshot("morvel-timeline-playing")
    s.input.keys(["space"])
    main.wait_status(0, re.compile(r"^Position-X\["))


def check_part_numbers(s, main, timeline, ID, original, folder):
    """A pose of six parts pasted onto a figure of two."""
    small = copy.deepcopy(original)
    small["parts"] = small["parts"][:2]
    small["motions"] = [{"name": "pose", "soundFileName": "", "frames": [
        {"comment": "a", "positions": original["motions"][0]["frames"][0]["positions"][:2]}]}]
    small["header"].update(partCount=2, motionCount=1)
    path = build(s, small, folder / "two_parts.mvl")
    main.command(ID.CMD_FILE_OPEN)
    answer(s, main, "現在編集されていますが、破棄しますか？", "開く")
    choose_file(s, main, path, exclude=[timeline]).wait_gone()
    main.wait_title(title_for(s, path))
    s.wait_until(lambda: timeline.text(ID.IDC_TIMELINE_MOTION), "モーション 0: pose（1 フレーム）",
                 "the timeline on the opened file")
    main.keys("ctrl+v")
    answer(s, main, "ポーズのパーツ番号 2 がこの文書にないため、貼り付けられません。")


def check_place_kept(s, app, main, timeline, ID):
    before = timeline.refresh()["rect"]
    grab = (before["left"] + 40, before["top"] + 8)  # its caption
    s.input.drag(line_points(grab, (grab[0] + 120, grab[1] - 90), 6))
    moved = s.wait_until(lambda: timeline.refresh()["rect"],
                         lambda r: (r["left"], r["top"]) == (before["left"] + 120, before["top"] - 90),
                         "the timeline moved by its caption")
    main.close()
    answer(s, main, "現在編集されていますが、終了しますか？", "閉じる")
    s.expect_equal(app.wait_exit(), 0, "exit code")
    place = f"{moved['left']} {moved['top']} {moved['right']} {moved['bottom']}"
    s.expect_equal(s.reg_query(SETTINGS_KEY).get("TimelineWindow", {}).get("data"), place + " 1",
                   "the timeline's place and visibility at exit")

    app, main = start_editor(s)
    timeline = s.wait_window(cls="#32770", title=TIMELINE, pid=main.pid)
    s.expect_equal(timeline.info["rect"], moved, "the timeline back where it was")
    s.expect_equal(main.menu_item(ID.CMD_TOOL_TIMELINE)["checked"], True, "タイムライン checked")
    main.click_menu(ID.CMD_TOOL_TIMELINE)
    timeline.wait_gone()
    main.close()
    s.expect_equal(app.wait_exit(), 0, "exit code of the second run")
    s.expect_equal(s.reg_query(SETTINGS_KEY)["TimelineWindow"]["data"], place + " 0",
                   "the hidden timeline's place at exit")


def scenario(s):
    ID = ids(s)
    robot = robot_copy(s)
    path = robot / "robot.mvl"
    original = dump(s, path)
    app, main = start_editor(s, [s.windows_path(path)])
    main.wait_title(title_for(s, path))
    check_picking(s, main, ID, original)
    timeline = check_clipboard(s, main, ID, path, original)
    check_timeline_edits(s, main, timeline, ID, path, original)
    check_playing_mark(s, main, timeline, ID)
    check_part_numbers(s, main, timeline, ID, original, robot)
    check_place_kept(s, app, main, timeline, ID)


run(scenario)

"""Morvel's help through the system's help viewer: the contents and the
index commands open mvl.hlp (built beside Morvel.exe) on its contents topic
with its Japanese text; F1 on the main window and on an open menu, and a
right click on the toolbar and on the status bar, reach the viewer with
their command and context (Wine's viewer shows neither popups nor keyword
look-ups: it starts hidden and leaves a trace of what it received, which
the program's log collects); closing the program closes the viewer."""

import re

from morvel_e2e import DriverError, run
from morvel_e2e.morvel import ids, start_editor

VIEWER_CLASS = "MS_WINHELP"
TOPIC_TEXT = 0x701  # the viewer's topic text (Wine's winhlp32)
CONTENTS_TITLE = "Morvelの使い方"

# WinHelp commands as the viewer receives them.
HELP_CONTEXT, HELP_QUIT, HELP_CONTEXTPOPUP, HELP_FINDER, HELP_KEY = 0x1, 0x2, 0x8, 0xB, 0x101

# winhlp32's trace of each request: Got[size]: cmd=N data=HEX fn="FILE" (the
# file's backslashes doubled). The size counts a 16-byte head, the file name
# and, for HELP_KEY, the keyword, each with its NUL.
REQUEST = re.compile(
    r'WINHELP_HandleCommand Got\[(\d+)\]: cmd=(\d+) data=([0-9a-fA-F]+) fn="([^"]*)"')
HEAD_SIZE = 16


def viewer_requests(app):
    """(command, data, file, bytes after the file name) of every request the
    viewer received so far."""
    text = app.log_path.read_bytes().decode("utf-8", "replace")
    requests = []
    for size, cmd, data, name in REQUEST.findall(text):
        name = name.replace("\\\\", "\\")
        extra = int(size) - HEAD_SIZE - len(name.encode("cp932")) - 1
        requests.append((int(cmd), int(data, 16), name, extra))
    return requests


def wait_request(s, app, count, what):
    """The viewer's requests once it has received `count` of them."""
    return s.wait_until(lambda: viewer_requests(app), lambda r: len(r) >= count, what)


def visible_viewer(s):
    """The viewer's main window with its topic text, or None."""
    for window in s.windows(cls=VIEWER_CLASS, visible=True):
        try:
            text = window.text(TOPIC_TEXT)
        except DriverError:  # a viewer window without a topic pane
            continue
        return window, text
    return None


def wait_contents(s, what):
    """The viewer once it shows the contents topic, and its text."""
    return s.wait_until(lambda: visible_viewer(s),
                        lambda v: v is not None and v[1].startswith(CONTENTS_TITLE), what, 30)


def check_topic(s, viewer, text, shot):
    s.check("元に戻す" in text and "モーション" in text, "the contents topic's Japanese text",
            "…元に戻す…", text[:200])
    viewer.screenshot(shot)


def right_click_control(s, main, cls, from_right):
    """A right click from_right pixels left of the control's right end."""
    controls = [c for c in main.controls() if c["class"].lower() == cls.lower()]
    s.check(len(controls) == 1, f"one {cls} in the main window", 1, len(controls))
    r = controls[0]["client_rect"]
    main.click_at((r["right"] - from_right, (r["top"] + r["bottom"]) // 2), button="right")


def close_viewer(viewer):
    # Gone for good: a viewer still hidden on its way out would take the
    # next request and drop it.
    viewer.close()
    viewer.wait_gone(destroyed=True)


def scenario(s):
    ID = ids(s)
    s.check((s.paths.morvel.parent / "mvl.hlp").is_file(), "mvl.hlp beside Morvel.exe")
    app, main = start_editor(s, env={"WINEDEBUG": "+winhelp"})
    help_file = s.windows_path(s.paths.morvel.parent / "mvl.hlp")

    main.command(ID.CMD_HELP_CONTENTS)
    viewer, text = wait_contents(s, "the contents command opens the viewer on its contents")
    check_topic(s, viewer, text, "morvel-help-contents")
    requests = wait_request(s, app, 1, "the contents request")
    s.expect_equal(requests[0][:2], (HELP_CONTEXT, 10000), "contents: HELP_CONTEXT 10000")
    s.check(requests[0][2].lower() == help_file.lower(), "the help file beside the program",
            help_file, requests[0][2])

    close_viewer(viewer)
    main.command(ID.CMD_HELP_INDEX)
    viewer, text = wait_contents(s, "the index command opens the viewer on its contents")
    check_topic(s, viewer, text, "morvel-help-index")
    s.expect_equal(wait_request(s, app, 2, "the index request")[1][:2], (HELP_FINDER, 0),
                   "index: HELP_FINDER")
    # With the viewer in front, Wine leaves the keyboard with it.
    close_viewer(viewer)

    # F1 with the main window active: the keyword "目次" (its four bytes and
    # a NUL after the file name).
    main.keys("F1")
    keyword = wait_request(s, app, 3, "the keyword request")[2]
    s.expect_equal((keyword[0], keyword[3]), (HELP_KEY, len("目次".encode("cp932")) + 1),
                   "F1 on the window: HELP_KEY with the keyword")

    # F1 on an item of an open menu: the menus' popup topic. (Wine reports
    # that key twice, from its menu loop and as WM_KEYF1, so the request may
    # come twice.)
    client = main.client
    s.input.click(client["left"] + 20, client["top"] - 8)  # "ファイル" on the menu bar
    s.input.keys(["Down", "F1"])
    popup = wait_request(s, app, 4, "the menu's popup request")[3]
    s.expect_equal(popup[:2], (HELP_CONTEXTPOPUP, 10100), "F1 on a menu item")
    s.input.keys(["Escape", "Escape"])

    # Right clicks: the view asks for nothing, the toolbar and the status bar
    # for their popup topics, in that order.
    middle = ((client["right"] - client["left"]) // 2, (client["bottom"] - client["top"]) // 2)
    main.click_at(middle, button="right")
    right_click_control(s, main, "ToolbarWindow32", 10)  # past the last button
    right_click_control(s, main, "msctls_statusbar32", 40)  # short of the size grip
    requests = s.wait_until(lambda: viewer_requests(app),
                            lambda r: any(q[:2] == (HELP_CONTEXTPOPUP, 10102) for q in r),
                            "the status bar's popup request")
    after_menu = [r[:2] for r in requests[4:] if r[:2] != (HELP_CONTEXTPOPUP, 10100)]
    s.expect_equal(after_menu, [(HELP_CONTEXTPOPUP, 10101), (HELP_CONTEXTPOPUP, 10102)],
                   "right clicks on the view, the toolbar and the status bar")
    s.check(all(r[2].lower() == help_file.lower() for r in requests), "every request names mvl.hlp",
            help_file, requests)
    main.screenshot("morvel-help-after-requests")

    # The window's end tells the viewer the file is no longer needed.
    main.close()
    s.expect_equal(app.wait_exit(), 0, "exit code")
    s.expect_equal(viewer_requests(app)[-1][0], HELP_QUIT, "HELP_QUIT at the end")
    s.wait_until(lambda: s.windows(cls=VIEWER_CLASS), [], "the viewer ends")


run(scenario)

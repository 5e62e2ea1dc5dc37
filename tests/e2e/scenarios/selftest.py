"""The kit on its own fixture program (tests/e2e/driver/fixture_app.cpp):
every driver command, keys and drags through xdotool, and the answers checked
against what the fixture is known to show. A fault here is the kit's fault."""

import re
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1]))

from morvel_e2e import DriverError, run  # noqa: E402
from morvel_e2e.prefix import FONT_REPLACEMENTS, REPLACEMENTS_KEY  # noqa: E402
from morvel_e2e.screen import png_size  # noqa: E402

# tests/e2e/driver/fixture_ids.h
OPEN, SAVE, EXIT = 40001, 40002, 40003
ASK, SETTINGS, COLOR, CHECKED, GRAYED, CRASH = 40011, 40012, 40013, 40014, 40015, 40016
LIST, EDIT, CHECK, RADIO_A, RADIO_B, CHOSEN = 1001, 1002, 1003, 1004, 1005, 1006
IDOK, IDCANCEL, IDYES, IDNO = 1, 2, 6, 7
KEY, MOUSE, RESULT = 0, 1, 2

TITLE = "フィクスチャ 窓"


def expect_refused(s, action, what):
    try:
        action()
    except DriverError:
        return
    raise s.failure(f"the driver refuses {what}", "an error", "it went through")


def check_protocol(s, main):
    """Nonsense gets an error answer, and the driver goes on answering."""
    driver = s.driver
    for line, error in [(b"not json", "not JSON"), (b'{"cmd": 5}', "a command is an object"),
                        (b'{"cmd": "nonsense"}', "unknown command nonsense"),
                        (b'{"cmd": "get_text", "x": "\xff\xfe"}', "not JSON"),
                        (b'{"cmd": "set_text", "hwnd": %d}' % main.hwnd, "bad arguments"),
                        (b'{"cmd": "window_info", "hwnd": 305419896}', "no such window"),
                        (b'{"cmd": "wait_window", "title_regex": "([", "timeout_ms": 100}',
                         "bad title_regex"),
                        (b'{"cmd": "wait_window", "class": "NoSuchClass", "timeout_ms": 300}',
                         "no matching window after 300 ms")]:
        answer = driver.exchange(line)
        s.check(answer.get("ok") is False and answer.get("error", "").startswith(error),
                f"the driver's answer to {line!r}", f"ok=false, {error}...", answer)
    expect_refused(s, lambda: main.select_row(LIST, row=0), "a list box the window lacks")
    s.check(driver.command("screen_size")["width"] > 0, "the driver still answers")


def check_window_and_status(s, app, main):
    s.expect_equal(main.title, f"{TITLE} [新規]", "title at start")
    mine = s.windows(pid=main.pid)
    s.check(any(w.hwnd == main.hwnd for w in mine), "list_windows finds the main window",
            main.hwnd, [w.hwnd for w in mine])
    bar = main.status_bar()
    s.expect_equal(bar["texts"], ["キー: なし", "マウス: なし", "準備完了"], "status texts")
    s.expect_equal(bar["edges"], [180, 460, -1], "status part edges")
    client = main.client
    s.check(client["width"] > 600 and client["height"] > 400, "client rectangle", "~632x434",
            client)


def check_menu(s, main):
    menu = main.menu()
    s.expect_equal([item["text"] for item in menu], ["ファイル(&F)", "編集(&E)"], "menu bar")
    s.expect_equal([(i["text"], i["id"]) for i in menu[0]["items"] if not i["separator"]],
                   [("開く(&O)...\tCtrl+O", OPEN), ("名前を付けて保存(&A)...", SAVE),
                    ("終了(&X)", EXIT)], "file menu")
    s.expect_equal(main.menu_item(GRAYED)["grayed"], True, "grayed item")
    s.expect_equal(main.menu_item(CHECKED)["checked"], True, "checked item")
    for checked in (False, True):
        main.command(CHECKED)
        s.wait_until(lambda: main.menu_item(CHECKED)["checked"], checked, "check mark toggled")


def check_menu_popup(s, main):
    main.keys("alt+e")
    popup = s.wait_window(cls="#32768", pid=main.pid)
    s.screenshot("selftest-menu")
    main.keys("Escape", "Escape")
    popup.wait_gone()


def check_keys(s, main):
    for chord, shown in [("shift+p", "Shift+P"), ("ctrl+z", "Ctrl+Z"), ("F5", "F5"),
                         ("Left", "Left"), ("ctrl+shift+a", "Shift+Ctrl+A"), ("p", "P")]:
        main.keys(chord)
        main.wait_status(KEY, f"キー: {shown}")


def drag_result(s, main, start, end, button, steps, modifiers=()):
    main.drag(start, end, button=button, steps=steps, modifiers=modifiers)
    side = "左" if button == "left" else "右"
    text = main.wait_status(MOUSE, re.compile(f"^ドラッグ {side} "))
    found = re.match(r"ドラッグ \S dx=(-?\d+) dy=(-?\d+) 移動=(\d+) 押下=(\d+) "
                     r"Shift=(\d+) Ctrl=(\d+) 捕捉=(\d)", text)
    s.check(found, "drag report", "ドラッグ ... dx= dy= 移動= 押下= Shift= Ctrl= 捕捉=", text)
    dx, dy, moves, held, shift, ctrl, captured = map(int, found.groups())
    s.expect_equal((dx, dy), (end[0] - start[0], end[1] - start[1]), f"{button} drag distance")
    s.check(moves >= 1 and held == moves, f"every move of the {button} drag had the button held",
            f"{steps} moves with the button", text)
    expected = (moves if "shift" in modifiers else 0, moves if "ctrl" in modifiers else 0)
    s.expect_equal((shift, ctrl), expected, f"moves with Shift, Ctrl held ({text})")
    s.expect_equal(captured, 1, f"mouse captured during the {button} drag")


def check_drags(s, main):
    drag_result(s, main, (200, 150), (300, 200), "left", 10)
    drag_result(s, main, (300, 200), (265, 215), "right", 5, modifiers=("shift",))
    drag_result(s, main, (100, 100), (100, 40), "left", 6, modifiers=("ctrl", "shift"))
    # Beyond the client area: only a captured mouse keeps reporting there.
    width = main.client["width"]
    drag_result(s, main, (width - 50, 150), (width + 30, 160), "left", 8)


def check_tooltips(s, main):
    buttons = main.toolbar_buttons()
    s.expect_equal([b["id"] for b in buttons], [OPEN, SETTINGS], "toolbar button ids")
    for button, tip in zip(buttons, ["ファイルを開く", "設定を変える"]):
        rect = button["rect"]
        client = main.client
        centre = ((rect["left"] + rect["right"]) // 2 - client["left"],
                  (rect["top"] + rect["bottom"]) // 2 - client["top"])
        main.hover((centre[0] - 2, centre[1]))
        main.hover(centre)
        shown = s.wait_until(
            lambda: [t["text"] for t in s.driver.command("tooltips", pid=main.pid)["tooltips"]
                     if t["visible"]], [tip], "tooltip shown")
        s.expect_equal(shown, [tip], "tooltip text")
    main.hover((300, 300))
    s.expect_equal([w.info["owner"] for w in s.windows(cls="tooltips_class32", pid=main.pid)],
                   [main.hwnd], "owner of the toolbar's tooltip window")


def check_message_box(s, main):
    main.command(ASK)
    box = s.wait_message_box(pid=main.pid)
    s.expect_equal((box.caption, box.message, box.has_icon),
                   ("確認", "変更を保存しますか？", True), "message box")
    s.expect_equal([(b["id"], b["text"]) for b in box.buttons],
                   [(IDYES, "はい(&Y)"), (IDNO, "いいえ(&N)")], "message box buttons")
    box.screenshot("selftest-message-box")
    expect_refused(s, lambda: box.click(text="キャンセル"), "a button the box lacks")
    box.press("はい")
    main.wait_status(RESULT, "確認: はい")
    # The keyboard reaches a message box too: its mnemonic answers it.
    main.command(ASK)
    box = s.wait_message_box(pid=main.pid)
    box.keys("n")
    box.wait_gone()
    main.wait_status(RESULT, "確認: いいえ")


def open_settings(s, main, how):
    before = s.windows(cls="#32770", pid=main.pid)
    how()
    return s.wait_window(cls="#32770", title="設定", pid=main.pid, exclude=before)


def check_dialog(s, main):
    # Through a real click on the toolbar's second button.
    rect = main.toolbar_buttons()[1]["rect"]
    client = main.client
    dialog = open_settings(s, main, lambda: main.click_at(
        ((rect["left"] + rect["right"]) // 2 - client["left"],
         (rect["top"] + rect["bottom"]) // 2 - client["top"])))
    s.expect_equal(dialog.info["owner"], main.hwnd, "the dialog's owner")
    controls = {c["id"]: c for c in dialog.controls() if c["id"] > 0}
    for control_id, box in [(EDIT, (110, 19, 103, 13)), (CHECK, (110, 40, 103, 10)),
                            (IDOK, (110, 99, 50, 14)), (IDCANCEL, (163, 99, 50, 14))]:
        units = controls[control_id]["dialog_units"]
        s.expect_equal((units["x"], units["y"], units["width"], units["height"]), box,
                       f"control {control_id} in dialog units")
    s.expect_equal((controls[CHECK]["class"], controls[CHECK]["text"]),
                   ("Button", "有効にする(&E)"), "check box")
    s.expect_equal(controls[IDCANCEL]["text"], "キャンセル", "cancel button")
    # Font-derived units agree with the dialog's own.
    by_font = {c["id"]: c for c in dialog.controls(font_face="ＭＳ Ｐゴシック", font_size=9)}
    s.expect_equal(by_font[IDOK]["dialog_units"], controls[IDOK]["dialog_units"],
                   "dialog units from the font")

    listed = dialog.list_items(LIST)  # its row height too, which the font decides
    s.expect_equal({key: listed[key] for key in ("count", "items", "selection", "top_index")},
                   {"count": 3, "items": ["りんご", "みかん", "ぶどう"], "selection": -1,
                    "top_index": 0}, "list box")
    s.expect_equal(dialog.select_row(LIST, text="みかん"), 1, "selected row")
    s.expect_equal(dialog.text(CHOSEN), "選択: みかん", "LBN_SELCHANGE reached the dialog")
    expect_refused(s, lambda: dialog.select_row(LIST, row=3), "a row past the end")
    s.expect_equal(dialog.text(EDIT), "初期値", "edit text")
    s.expect_equal(dialog.set_text(EDIT, "テスト名"), "テスト名", "edit text set")
    dialog.set_check(CHECK, True)
    dialog.set_check(RADIO_B, True)
    s.expect_equal((dialog.is_checked(CHECK), dialog.is_checked(RADIO_A),
                    dialog.is_checked(RADIO_B)), (True, False, True), "check marks")
    dialog.screenshot("selftest-dialog")
    dialog.click(IDOK)
    dialog.wait_gone()
    main.wait_status(RESULT, "設定: 行=1 名前=テスト名 有効=1 大きい=1")

    dialog = open_settings(s, main, lambda: main.command(SETTINGS))
    dialog.double_click_row(LIST, row=2)
    dialog.wait_gone()
    main.wait_status(RESULT, "設定: 行=2 名前=初期値 有効=0 大きい=0")

    # Through the menu, with the keyboard.
    dialog = open_settings(s, main, lambda: main.keys("alt+e", "s"))
    s.expect_equal(main.menu_item(SETTINGS)["grayed"], False, "menu read during a modal loop")
    dialog.close()
    dialog.wait_gone()
    main.wait_status(RESULT, "設定: 取消")


def check_file_choosers(s, main):
    folder = s.folder / "files"
    folder.mkdir()
    target = folder / "保存した.mvl"
    main.command(SAVE)
    chooser = s.wait_window(cls="#32770", pid=main.pid)
    chooser.screenshot("selftest-save-chooser")
    s.driver.command("file_chooser_accept", hwnd=chooser.hwnd, path=s.windows_path(target))
    chooser.wait_gone()
    main.wait_status(RESULT, f"保存: {s.windows_path(target)}")
    s.expect_equal(target.read_bytes() if target.exists() else None, b"fixture\n",
                   "the saved file on the host")
    main.wait_title(f"{TITLE} [保存した.mvl]")

    main.command(OPEN)
    chooser = s.wait_window(cls="#32770", pid=main.pid)
    s.driver.command("file_chooser_accept", hwnd=chooser.hwnd, path=s.windows_path(target))
    chooser.wait_gone()
    main.wait_status(RESULT, f"開く: {s.windows_path(target)}")

    # Saving onto the file again asks first.
    main.command(SAVE)
    chooser = s.wait_window(cls="#32770", pid=main.pid)
    s.driver.command("file_chooser_accept", hwnd=chooser.hwnd, path=s.windows_path(target))
    prompt = s.wait_message_box(owner=chooser)
    s.expect_equal([b["id"] for b in prompt.buttons], [IDYES, IDNO], "overwrite prompt buttons")
    s.expect_equal(prompt.message, re.compile("上書き"), "overwrite prompt")
    prompt.press(button_id=IDYES)
    chooser.wait_gone()
    main.wait_status(RESULT, f"保存: {s.windows_path(target)}")


def check_colour_chooser(s, main):
    main.command(COLOR)
    chooser = s.wait_window(cls="#32770", pid=main.pid)
    chooser.screenshot("selftest-colour-chooser")
    expect_refused(s, lambda: s.driver.command("color_chooser_accept", hwnd=chooser.hwnd,
                                               red=256, green=0, blue=0), "red 256")
    s.driver.command("color_chooser_accept", hwnd=chooser.hwnd, red=200, green=100, blue=7)
    chooser.wait_gone()
    main.wait_status(RESULT, "色: 200,100,7")


def check_registry_and_screenshots(s, main):
    values = s.reg_query(REPLACEMENTS_KEY)
    s.expect_equal({name: value["data"] for name, value in values.items()}, FONT_REPLACEMENTS,
                   "font replacements in the prefix")
    s.reg_set("HKCU\\Software\\MorvelE2e", "名前", "値")
    s.reg_set("HKCU\\Software\\MorvelE2e", "count", 7)
    s.expect_equal(s.reg_query("HKCU\\Software\\MorvelE2e"),
                   {"名前": {"type": "REG_SZ", "data": "値"},
                    "count": {"type": "REG_DWORD", "data": 7}}, "registry values written")
    shot = main.screenshot("selftest-main")
    rect = main.refresh()["rect"]
    s.expect_equal(png_size(shot), (rect["width"], rect["height"]), "window screenshot size")
    screen = s.driver.command("screen_size")
    s.expect_equal(png_size(s.screenshot("selftest-screen")), (screen["width"], screen["height"]),
                   "screen shot size")


def check_crash(s):
    """A crash ends the program at once (no crash dialog to wait behind) and
    every later failure names it."""
    app = s.start(s.paths.fixture)
    main = app.wait_main_window(cls="MorvelE2eFixture")
    main.command(CRASH)
    s.check(app.wait_exit() != 0, "a crashed program's exit code is not 0")
    s.expect_equal(s.failure("x").what, re.compile(r"fixture_app.exe ended with exit code"),
                   "a failure after the crash")


def scenario(s):
    app = s.start(s.paths.fixture)
    main = app.wait_main_window(cls="MorvelE2eFixture", title_regex=r"^フィクスチャ.*\[新規\]$")
    check_window_and_status(s, app, main)
    check_protocol(s, main)
    check_menu(s, main)
    check_keys(s, main)
    check_menu_popup(s, main)
    check_drags(s, main)
    check_tooltips(s, main)
    check_message_box(s, main)
    check_dialog(s, main)
    check_file_choosers(s, main)
    check_colour_chooser(s, main)
    check_registry_and_screenshots(s, main)
    main.close()
    main.wait_gone(destroyed=True)
    s.expect_equal(app.wait_exit(), 0, "the fixture's exit code")
    check_crash(s)


run(scenario)

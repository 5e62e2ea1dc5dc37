"""Steps the edit-dialog scenarios share: opening a dialog by its key,
waiting on its list, reading which buttons are enabled, answering its
message boxes and its file choosers."""

from pathlib import Path


def open_dialog(s, main, key: str, title: str):
    """Presses key in the main window and waits for the dialog titled title."""
    main.keys(key)
    return s.wait_window(cls="#32770", title=title, pid=main.pid)


def wait_rows(s, dialog, list_id: int, expected, what: str):
    """Waits until the list's rows are expected (a value or a predicate)."""
    return s.wait_until(lambda: dialog.list_items(list_id)["items"], expected, what)


def enabled(dialog, ids) -> list[bool]:
    by_id = {c["id"]: c["enabled"] for c in dialog.controls()}
    return [by_id[i] for i in ids]


def answer(s, owner, caption: str, message: str, button_id: int):
    """Waits for the message box of owner's program, checks its caption and
    text, and presses the button."""
    box = s.wait_message_box(pid=owner.pid)
    s.expect_equal((box.caption, box.message), (caption, message), f"message box {caption}")
    box.press(button_id=button_id)
    box.wait_gone()
    return box


def accept_chooser(s, owner, title: str, path: Path):
    """Answers the file chooser titled title with path."""
    chooser = s.wait_window(cls="#32770", title=title, pid=owner.pid)
    s.driver.command("file_chooser_accept", hwnd=chooser.hwnd, path=s.windows_path(path))
    chooser.wait_gone()


def centre(dialog, control_id: int) -> tuple[int, int]:
    """The centre of a control in the dialog's client coordinates."""
    rect = dialog.control(control_id)["client_rect"]
    return ((rect["left"] + rect["right"]) // 2, (rect["top"] + rect["bottom"]) // 2)


def check_enter_does_nothing(s, dialog, edit_id: int):
    """Enter and then a letter typed into an edit: the letter arrives, so
    Enter left the dialog open (keys are handled in the order typed)."""
    dialog.set_text(edit_id, "")
    dialog.click_at(centre(dialog, edit_id))
    dialog.keys("Return", "x")
    s.wait_until(lambda: dialog.text(edit_id), "x", "a key typed after Enter")
    dialog.set_text(edit_id, "")

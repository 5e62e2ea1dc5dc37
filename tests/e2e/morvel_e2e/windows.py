"""A window of the program under test as a scenario sees it: every read asks
the driver afresh, every action goes through the driver or xdotool."""

from __future__ import annotations

from typing import TYPE_CHECKING

from .errors import DriverError
from .xinput import line_points

if TYPE_CHECKING:
    from .session import Session


class Window:
    def __init__(self, session: Session, info: dict):
        self.session = session
        self.hwnd = info["hwnd"]
        self.pid = info["pid"]
        self.cls = info["class"]
        self.info = info

    def __repr__(self) -> str:
        return f"<{self.cls} {self.hwnd:#x} {self.info.get('title', '')!r}>"

    def _cmd(self, cmd: str, **args) -> dict:
        return self.session.driver.command(cmd, hwnd=self.hwnd, **args)

    # State
    def refresh(self) -> dict:
        self.info = self._cmd("window_info")["window"]
        return self.info

    @property
    def title(self) -> str:
        return self.refresh()["title"]

    @property
    def client(self) -> dict:
        """The client area in screen coordinates."""
        return self.refresh()["client"]

    def to_screen(self, point: tuple[int, int]) -> tuple[int, int]:
        client = self.client
        return client["left"] + point[0], client["top"] + point[1]

    def status_bar(self) -> dict:
        """{"texts": [...], "edges": [...]} of the window's status bar."""
        return self._cmd("status_texts")

    def status_texts(self) -> list[str]:
        return self.status_bar()["texts"]

    def menu(self) -> list[dict]:
        return self._cmd("menu")["items"]

    def menu_item(self, command_id: int) -> dict:
        def find(items):
            for item in items:
                if item["id"] == command_id:
                    return item
                found = find(item.get("items", []))
                if found:
                    return found
            return None
        item = find(self.menu())
        self.session.check(item is not None, f"menu item {command_id} in {self}")
        return item

    def open_popups(self) -> list[dict]:
        """The pop-up menus the window's thread shows now: [{"hwnd", "items"}]."""
        return self._cmd("menu")["popups"]

    def toolbar_buttons(self, control_id: int | None = None) -> list[dict]:
        args = {"id": control_id} if control_id is not None else {}
        return self._cmd("toolbar_buttons", **args)["buttons"]

    def controls(self, **font) -> list[dict]:
        """Every descendant control; font_face/font_size compute dialog units
        for windows that are not dialogs."""
        return self._cmd("controls", **font)["controls"]

    def control(self, control_id: int) -> dict:
        for control in self.controls():
            if control["id"] == control_id:
                return control
        raise self.session.failure(f"control {control_id} in {self}")

    # Controls
    def text(self, control_id: int | None = None) -> str:
        args = {"id": control_id} if control_id is not None else {}
        return self._cmd("get_text", **args)["text"]

    def set_text(self, control_id: int, text: str) -> str:
        return self._cmd("set_text", id=control_id, text=text)["text"]

    def click(self, control_id: int | None = None, text: str | None = None) -> None:
        args = {"id": control_id} if control_id is not None else {"text": text}
        self._cmd("click", **args)

    def is_checked(self, control_id: int) -> bool:
        return self._cmd("is_checked", id=control_id)["checked"]

    def set_check(self, control_id: int, checked: bool = True) -> None:
        self._cmd("set_check", id=control_id, checked=checked)

    def list_items(self, control_id: int) -> dict:
        """{"count", "items", "selection"} of a list or combo box."""
        return self._cmd("list_items", id=control_id)

    def select_row(self, control_id: int, row: int | None = None, text: str | None = None) -> int:
        args = {"row": row} if text is None else {"text": text}
        return self._cmd("select_row", id=control_id, **args)["selection"]

    def double_click_row(self, control_id: int, row: int | None = None,
                         text: str | None = None) -> None:
        args = {"row": row} if text is None else {"text": text}
        self._cmd("double_click_row", id=control_id, **args)

    def send_message(self, message: int, wparam: int = 0, lparam: int = 0,
                     control_id: int | None = None) -> int:
        """A message with plain-number parameters, sent to the window or one
        of its controls; its answer."""
        args = {"id": control_id} if control_id is not None else {}
        return self._cmd("send_message", message=message, wparam=wparam, lparam=lparam,
                         **args)["result"]

    # Pointer input on menus, toolbar buttons and list rows, as a person
    # would give it
    def thread_state(self) -> dict:
        """{"active", "focus", "capture", "menu_owner", "in_menu"} of the
        window's thread."""
        return self._cmd("thread_state")

    def wait_input_taken(self, timeout: float = 10) -> None:
        """Waits until the window's thread holds no mouse capture and no open
        menu: a click or a menu choice has been taken in whole."""
        self.session.wait_until(self.thread_state,
                                lambda t: not t["capture"] and not t["in_menu"],
                                f"the pointer input to {self} taken", timeout)

    def open_menu(self, command_id: int) -> dict:
        """Clicks the menu bar title and the submenus down to the item that
        sends command_id; returns that item, with its place on the screen,
        while its menu is open."""
        path = menu_path(self.menu(), command_id)
        self.session.check(path is not None, f"a menu item {command_id} in {self}")
        for depth in range(len(path)):
            shown = self.session.wait_until(lambda: menu_item_at(self.menu(), path[:depth + 1]),
                                            lambda item: item is not None and "rect" in item,
                                            f"menu item {path[:depth + 1]} shown", 10)
            if depth + 1 < len(path):
                self.session.input.click(*rect_centre(shown["rect"]))
        return shown

    def click_menu(self, command_id: int, screenshot: str | None = None) -> None:
        """Chooses a menu item with real clicks, from the bar down; with
        screenshot, the window with its menu open is kept under that name."""
        item = self.open_menu(command_id)
        if screenshot:
            self.screenshot(screenshot)
        self.session.input.click(*rect_centre(item["rect"]))
        self.wait_input_taken()

    def click_popup_item(self, text: str) -> None:
        """Clicks the item of an open pop-up menu (a context menu, say) that
        reads text."""
        def shown():
            for popup in self.open_popups():
                for item in popup["items"]:
                    if item["text"] == text and "rect" in item:
                        return item
            return None
        item = self.session.wait_until(shown, lambda found: found is not None,
                                       f"pop-up menu item {text}")
        self.session.input.click(*rect_centre(item["rect"]))
        self.wait_input_taken()

    def click_toolbar(self, command_id: int) -> None:
        buttons = [b for b in self.toolbar_buttons() if b["id"] == command_id and not b["separator"]]
        self.session.check(len(buttons) == 1, f"one toolbar button {command_id}", 1, len(buttons))
        self.session.input.click(*rect_centre(buttons[0]["rect"]))
        self.wait_input_taken()

    def click_row(self, control_id: int, row: int, double: bool = False) -> None:
        """Clicks a list box row, first scrolling it into sight with the
        scroll bar's arrows; waits until the list has taken the click."""
        place = self._cmd("list_row_rect", id=control_id, row=row)
        for _ in range(row + 1):
            if place["rect"] is not None:
                break
            self.session.input.click(*scroll_arrow(place, down=row > place["top_index"]))
            top = place["top_index"]
            place = self.session.wait_until(
                lambda: self._cmd("list_row_rect", id=control_id, row=row),
                lambda p: p["top_index"] != top, f"list {control_id} scrolled")
        self.session.check(place["rect"] is not None, f"row {row} of list {control_id} in sight")
        self.session.input.click(*rect_centre(place["rect"]), repeat=2 if double else 1)
        self.session.wait_until(lambda: self.list_items(control_id)["selection"], row,
                                f"row {row} of list {control_id} selected")
        self.wait_input_taken()

    # Messages
    def command(self, command_id: int) -> None:
        self._cmd("post_command", id=command_id)

    def close(self) -> None:
        self._cmd("post_close")

    def post_key(self, vk: int) -> None:
        self._cmd("post_key", vk=vk)

    # Real input
    def focus(self) -> None:
        self.session.input.focus(self.refresh()["xid"])

    def keys(self, *chords: str) -> None:
        self.focus()
        self.session.input.keys(chords)

    def click_at(self, point: tuple[int, int], button: str = "left", repeat: int = 1) -> None:
        x, y = self.to_screen(point)
        self.session.input.click(x, y, button, repeat)

    def hover(self, point: tuple[int, int]) -> None:
        x, y = self.to_screen(point)
        self.session.input.move(x, y)

    def drag(self, start: tuple[int, int], end: tuple[int, int], button: str = "left",
             steps: int = 10, modifiers: tuple[str, ...] = ()) -> None:
        """A drag between two client points in steps moves."""
        client = self.client
        points = [(client["left"] + x, client["top"] + y) for x, y in line_points(start, end, steps)]
        self.session.input.drag(points, button, modifiers)

    # Waiting
    def wait_gone(self, timeout: float = 10, destroyed: bool = False) -> None:
        try:
            self._cmd("wait_gone", timeout_ms=int(timeout * 1000), destroyed=destroyed)
        except DriverError as error:  # the driver's timeout, told as a check
            raise self.session.failure(f"{self} closes", "gone", "still there") from error

    def wait_title(self, expected, timeout: float = 10) -> str:
        return self.session.wait_until(lambda: self.title, expected, f"title of {self}", timeout)

    def wait_status(self, part: int, expected, timeout: float = 10) -> str:
        return self.session.wait_until(lambda: self.status_texts()[part], expected,
                                       f"status bar part {part} of {self}", timeout)

    def screenshot(self, name: str):
        return self.session.screenshot(name, self)


class MessageBox(Window):
    """A message box: caption, text, buttons [{"id", "text", "enabled", "default"}]."""

    def __init__(self, session: Session, answer: dict):
        super().__init__(session, session.driver.command("window_info",
                                                         hwnd=answer["hwnd"])["window"])
        self.caption = answer["caption"]
        self.message = answer["text"]
        self.buttons = answer["buttons"]
        self.has_icon = answer["icon"]

    @property
    def button_texts(self) -> list[str]:
        return [button["text"] for button in self.buttons]

    def press(self, text: str | None = None, button_id: int | None = None) -> None:
        """Presses a button by its text (mnemonic ignored) or id and waits
        for the box to close."""
        self.click(button_id, text)
        self.wait_gone()


def rect_centre(rect: dict) -> tuple[int, int]:
    return (rect["left"] + rect["right"]) // 2, (rect["top"] + rect["bottom"]) // 2


def menu_path(items: list[dict], command_id: int) -> list[int] | None:
    """Positions from the bar down to the item that sends command_id."""
    for index, item in enumerate(items):
        if item["id"] == command_id and not item["separator"]:
            return [index]
        below = menu_path(item.get("items", []), command_id)
        if below is not None:
            return [index] + below
    return None


def menu_item_at(items: list[dict], path: list[int]) -> dict | None:
    item = None
    for index in path:
        if index >= len(items):
            return None
        item = items[index]
        items = item.get("items", [])
    return item


def scroll_arrow(place: dict, down: bool) -> tuple[int, int]:
    """The centre of a vertical scroll bar's arrow, from a list's window and
    client rectangles on the screen: the bar is as wide as an arrow is high."""
    window, client = place["window"], place["client"]
    border = client["left"] - window["left"]
    width = window["right"] - border - client["right"]
    x = client["right"] + width // 2
    y = window["bottom"] - border - width // 2 if down else window["top"] + border + width // 2
    return x, y

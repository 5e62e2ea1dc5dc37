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

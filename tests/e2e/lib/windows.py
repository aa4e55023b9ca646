"""Windows as inspect.exe reports them, with the look-ups tests need."""

from collections import namedtuple


class Rect(namedtuple("Rect", "left top right bottom")):
    __slots__ = ()

    @property
    def width(self):
        return self.right - self.left

    @property
    def height(self):
        return self.bottom - self.top

    @property
    def center(self):
        return ((self.left + self.right) // 2, (self.top + self.bottom) // 2)

    def contains(self, x, y):
        return self.left <= x < self.right and self.top <= y < self.bottom

    @classmethod
    def from_json(cls, value):
        return cls(value["left"], value["top"], value["right"], value["bottom"])


# Window styles the tests look at.
WS_CHILD = 0x40000000
WS_VISIBLE = 0x10000000
WS_CLIPSIBLINGS = 0x04000000
WS_CLIPCHILDREN = 0x02000000
WS_CAPTION = 0x00C00000
WS_SYSMENU = 0x00080000
WS_THICKFRAME = 0x00040000
WS_MINIMIZEBOX = 0x00020000
WS_MAXIMIZEBOX = 0x00010000
WS_TABSTOP = 0x00010000
WS_EX_TRANSPARENT = 0x00000020
WS_EX_CLIENTEDGE = 0x00000200


class Window:
    """One window and its children (top of the stacking order first).

    Attributes: hwnd, class_name, text (UTF-8 decoded), text_acp (the bytes
    in the ANSI code page, GBK here), text_message (the WM_GETTEXT answer,
    when asked for), rect and client_rect (screen coordinates), client_size
    (width, height), pos (top-left in the parent's client coordinates),
    style, exstyle, id, visible (IsWindowVisible), ws_visible, enabled,
    iconic, parent, owner, z (index among siblings), pid, tid, foreground,
    children, raw (the JSON object).
    """

    def __init__(self, raw, parent_window=None):
        self.raw = raw
        self.parent_window = parent_window
        self.hwnd = raw["hwnd"]
        self.class_name = raw["class"]
        self.text = raw["text"]
        self.text_acp = bytes.fromhex(raw["text_acp_hex"])
        self.text_message = raw.get("text_message")
        self.rect = Rect.from_json(raw["rect"])
        self.client_rect = Rect.from_json(raw["client_rect"])
        self.client_size = (raw["client_size"]["width"], raw["client_size"]["height"])
        self.pos = (raw["pos_in_parent"]["x"], raw["pos_in_parent"]["y"])
        self.style = raw["style"]
        self.exstyle = raw["exstyle"]
        self.id = raw["id"]
        self.visible = raw["visible"]
        self.ws_visible = raw["ws_visible"]
        self.enabled = raw["enabled"]
        self.iconic = raw["iconic"]
        self.parent = raw["parent"]
        self.owner = raw["owner"]
        self.z = raw["z"]
        self.pid = raw["pid"]
        self.tid = raw["tid"]
        self.foreground = raw["foreground"]
        self.children = [Window(child, self) for child in raw["children"]]

    @property
    def size(self):
        return (self.rect.width, self.rect.height)

    def has_style(self, bits):
        return self.style & bits == bits

    def walk(self):
        """This window and every window below it, depth first."""
        yield self
        for child in self.children:
            yield from child.walk()

    def find_all(self, **criteria):
        return [window for window in self.walk() if window.matches(**criteria)]

    def find(self, **criteria):
        """The one window of this tree that matches; AssertionError if none
        or several do."""
        return _single(self.find_all(**criteria), criteria, f"the tree of {self.describe()}")

    def matches(self, **criteria):
        """Criteria: any attribute by name (class_name="BUTTON", text=...,
        id=120, visible=True), or a callable `where` taking the window."""
        for name, expected in criteria.items():
            if name == "where":
                if not expected(self):
                    return False
            elif getattr(self, name) != expected:
                return False
        return True

    def describe(self):
        return (f"{self.class_name} {self.text!r} hwnd={self.hwnd} id={self.id} pid={self.pid} "
                f"rect={tuple(self.rect)}")

    def __repr__(self):
        return f"<Window {self.describe()}>"


class WindowReport:
    """One snapshot of the session: screen size, foreground, active, focus
    and capture windows (hwnd numbers, 0 for none), cursor position, and the
    top-level windows that passed the filter, in stacking order."""

    def __init__(self, raw):
        self.raw = raw
        self.screen = (raw["screen"]["width"], raw["screen"]["height"])
        self.foreground = raw["foreground"]
        self.active = raw["active"]
        self.focus = raw["focus"]
        self.capture = raw["capture"]
        self.cursor = (raw["cursor"]["x"], raw["cursor"]["y"])
        self.windows = [Window(window) for window in raw["windows"]]

    def walk(self):
        for window in self.windows:
            yield from window.walk()

    def top_level(self, **criteria):
        return [window for window in self.windows if window.matches(**criteria)]

    def find_all(self, **criteria):
        return [window for window in self.walk() if window.matches(**criteria)]

    def find(self, **criteria):
        return _single(self.find_all(**criteria), criteria, "the session")

    def by_hwnd(self, hwnd):
        for window in self.walk():
            if window.hwnd == hwnd:
                return window
        return None

    def describe(self):
        return "\n".join(window.describe() for window in self.windows) or "(no windows)"


def _single(found, criteria, where):
    if len(found) != 1:
        listed = "; ".join(window.describe() for window in found[:10])
        raise AssertionError(f"expected one window with {criteria} in {where}, "
                             f"found {len(found)}{': ' + listed if listed else ''}")
    return found[0]

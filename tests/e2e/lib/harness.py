"""The harness in one import: a default Session for the whole test run and
the calls tests make on it.

    from lib import harness
    program = harness.start_exe(path, cwd=folder)
    window = harness.wait_for_window(20, pid=program.windows_pid, visible=True)
    harness.key("F9")
    harness.wait_for(lambda: backup.exists(), 10, "the backup copy")
"""

import atexit

from . import paths
from .screen import CursorImage, Image
from .session import Session
from .waiting import poll_until, wait_for
from .windows import Rect, Window, WindowReport

__all__ = [
    "CursorImage", "Image", "Rect", "Session", "Window", "WindowReport", "activate", "click",
    "close", "cursor_at", "cursor_image", "desktop_offset", "gdi_counts", "hotkey_free",
    "inspect", "key", "key_down", "key_up", "mouse_down", "mouse_move", "mouse_up", "paths",
    "poll_until", "processes", "program_path", "reference_arrow", "screenshot", "session", "start_exe",
    "start_tool", "to_windows_path", "wait_for", "wait_for_cursor", "wait_for_file",
    "wait_for_window", "windows",
]

_session = None


def session():
    """The default Session, started on first use and closed at exit."""
    global _session
    if _session is None:
        _session = Session().start()
        atexit.register(close)
    return _session


def close():
    global _session
    if _session is not None:
        _session.close()
        _session = None


def program_path():
    return paths.program()


def start_exe(path, cwd=None, args=(), find_pid=True, timeout=30, locale=None):
    return session().start_exe(path, cwd=cwd, args=args, find_pid=find_pid, timeout=timeout,
                               locale=locale)


def start_tool(name, *args, cwd=None, find_pid=True, timeout=30):
    return session().start_tool(name, *args, cwd=cwd, find_pid=find_pid, timeout=timeout)


def inspect(*arguments, timeout=30):
    return session().inspect(*arguments, timeout=timeout)


def windows(**filters):
    return session().windows(**filters)


def wait_for_window(timeout, what=None, **filters_and_criteria):
    return session().wait_for_window(timeout, what, **filters_and_criteria)


def wait_for_file(path, timeout, what, content=None):
    return Session.wait_for_file(path, timeout, what, content)


def processes():
    return session().processes()


def hotkey_free(vk, mods=0):
    return session().hotkey_free(vk, mods)


def gdi_counts(pid):
    return session().gdi_counts(pid)


def cursor_at(x, y, module=None, cursor_id=None):
    return session().cursor_at(x, y, module, cursor_id)


def activate(hwnd, timeout=10):
    session().activate(hwnd, timeout)


def desktop_offset():
    return session().desktop_offset()


def key(*keys):
    session().key(*keys)


def key_down(name):
    session().key_down(name)


def key_up(name):
    session().key_up(name)


def mouse_move(x, y):
    session().mouse_move(x, y)


def click(x, y, button=1, count=1):
    session().click(x, y, button, count)


def mouse_down(button=1):
    session().mouse_down(button)


def mouse_up(button=1):
    session().mouse_up(button)


def screenshot():
    return session().screenshot()


def cursor_image():
    return session().cursor_image()


def wait_for_cursor(predicate, timeout, what, skip_blank=True):
    return session().wait_for_cursor(predicate, timeout, what, skip_blank)


def reference_arrow(timeout=30):
    return session().reference_arrow(timeout)


def to_windows_path(path):
    return Session.to_windows_path(path)

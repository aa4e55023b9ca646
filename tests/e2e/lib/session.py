"""One Wine session for the end-to-end tests: an X display, the project's
Wine prefix with its virtual desktop, a persistent wineserver, the programs
started in it and the tools that look at them."""

import itertools
import json
import os
import pathlib
import shutil
import subprocess
import tempfile

from . import paths, screen, wine_env, xinput, xserver
from .processes import launch
from .waiting import wait_for
from .windows import WindowReport

INSPECT_TIMEOUT = 30


class Session:
    """Usage: session = Session(); session.start(); ...; session.close().

    prefix: the Wine prefix (default QSH_WINEPREFIX, else the project's
    build/wineprefix, as scripts/wine-env says). The display is DISPLAY when
    it answers, otherwise an Xvfb the session starts and stops.
    """

    def __init__(self, prefix=None, desktop_size=None):
        self._prefix = prefix
        self.desktop_size = (desktop_size or os.environ.get("QSH_DESKTOP_SIZE")
                             or wine_env.DEFAULT_DESKTOP_SIZE)
        self.env = None
        self.display = None
        self.temp_dir = None
        self._xvfb = None
        self._own_wineserver = False
        self._processes = []
        self._counter = itertools.count(1)
        self._arrow = None

    # --- life -----------------------------------------------------------

    def start(self):
        self.temp_dir = pathlib.Path(tempfile.mkdtemp(prefix="qsh-e2e-"))
        try:
            self.display, self._xvfb = xserver.ensure_display(self.temp_path("xvfb.log"))
            base = dict(os.environ, DISPLAY=self.display)
            self.env = wine_env.wine_environment(self._prefix, base)
            prefix = self.env["WINEPREFIX"]
            if not os.path.isdir(prefix):
                raise AssertionError(f"Wine prefix {prefix} does not exist (scripts/setup makes "
                                     f"it; or set QSH_WINEPREFIX)")
            if not wine_env.wineserver_running(prefix):
                wine_env.start_wineserver(self.env)
                self._own_wineserver = True
            if wine_env.ensure_virtual_desktop(self.env, self.temp_path("reg.log"),
                                               self.desktop_size):
                # Whatever already runs (and the desktop process that reg
                # itself may have started) began without the virtual desktop.
                wine_env.stop_wineserver(self.env)
                wine_env.start_wineserver(self.env)
                self._own_wineserver = True
        except BaseException:
            self.close()
            raise
        return self

    def close(self):
        """Kills what the session started and, when the session started them,
        the wineserver and the Xvfb. The temporary folder is removed unless
        QSH_E2E_KEEP_TEMP is set."""
        for process in self._processes:
            if process.running():
                process.kill()
        self._processes.clear()
        if self._own_wineserver and self.env is not None:
            wine_env.stop_wineserver(self.env)
            self._own_wineserver = False
        if self._xvfb is not None:
            self._xvfb.stop()
            self._xvfb = None
        if self.temp_dir is not None and not os.environ.get("QSH_E2E_KEEP_TEMP"):
            shutil.rmtree(self.temp_dir, ignore_errors=True)
            self.temp_dir = None

    def __enter__(self):
        return self.start()

    def __exit__(self, *exception):
        self.close()

    # --- files ----------------------------------------------------------

    def temp_path(self, name):
        """A path in the session's own temporary folder."""
        return self.temp_dir / name

    def unique_path(self, stem, suffix=""):
        return self.temp_path(f"{stem}-{next(self._counter)}{suffix}")

    @staticmethod
    def to_windows_path(path):
        return wine_env.to_windows_path(path)

    @staticmethod
    def wait_for_file(path, timeout, what, content=None):
        """Waits until the file exists (and holds exactly `content`, bytes or
        str, when given); returns its content as bytes."""
        expected = content.encode() if isinstance(content, str) else content

        def ready():
            try:
                data = pathlib.Path(path).read_bytes()
            except OSError:
                return None
            if expected is not None and data != expected:
                return None
            return (data,)  # true even for an empty file

        return wait_for(ready, timeout, what)[0]

    # --- programs -------------------------------------------------------

    def start_exe(self, path, cwd=None, args=(), find_pid=True, timeout=30, locale=None):
        """Starts a Windows program (a Unix path) under Wine; cwd defaults to
        its folder. With find_pid, waits until its Windows process id is
        known: the one new process of that exe name (or the program ended).
        locale (e.g. "C.UTF-8"): the system locale of this program alone, and
        so its ANSI code page; the session's other programs keep theirs."""
        path = pathlib.Path(path).resolve()
        if not path.is_file():
            raise AssertionError(f"{path} does not exist")
        name = path.name
        before = self.windows_pids(name) if find_pid else set()
        process = launch(["wine", str(path), *map(str, args)], str(cwd or path.parent),
                         wine_env.with_locale(self.env, locale), name,
                         self.unique_path(name, ".log"))
        self._processes.append(process)
        if find_pid:
            def new_process():
                fresh = self.windows_pids(name) - before
                if fresh:
                    return fresh
                return None if process.running() else {"ended"}

            found = wait_for(new_process, timeout, f"{name} in Wine's process list")
            if found != {"ended"}:
                if len(found) != 1:
                    raise AssertionError(f"{len(found)} new processes named {name}: {found}")
                process.windows_pid = found.pop()
        return process

    def run_wine(self, *arguments, timeout=60):
        """Runs `wine arguments...` to its end (a builtin such as "cmd" or a
        path) and returns its exit status; output goes to a log file."""
        return wine_env.run_wine_quietly([str(argument) for argument in arguments], self.env,
                                         self.unique_path("wine", ".log"), timeout)

    def start_tool(self, name, *args, cwd=None, find_pid=True, timeout=30):
        """Starts one of the test tools (inspect, hold_hotkey, hold_file,
        focus_window)."""
        return self.start_exe(paths.tool(name), cwd=cwd or self.temp_dir, args=args,
                              find_pid=find_pid, timeout=timeout)

    # --- inspect.exe ----------------------------------------------------

    def inspect(self, *arguments, timeout=INSPECT_TIMEOUT):
        """Runs inspect.exe with the arguments and returns its parsed JSON."""
        out = self.unique_path("inspect", ".json")
        log_path = self.temp_path("inspect.log")
        command = ["wine", str(paths.tool("inspect")), "--out", self.to_windows_path(out),
                   *map(str, arguments)]
        with open(log_path, "ab") as log:
            try:
                status = subprocess.run(command, cwd=str(self.temp_dir), env=self.env,
                                        stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                                        timeout=timeout).returncode
            except subprocess.TimeoutExpired:
                raise AssertionError(f"inspect.exe {' '.join(map(str, arguments))} did not end "
                                     f"within {timeout} s") from None
        if status != 0:
            raise AssertionError(f"inspect.exe {' '.join(map(str, arguments))} failed with "
                                 f"{status}; see {log_path}")
        try:
            with open(out, encoding="utf-8") as report:
                return json.load(report)
        finally:
            out.unlink(missing_ok=True)

    def windows(self, pid=None, exe=None, title=None, class_name=None, hwnd=None,
                message_text=False):
        """A WindowReport of the top-level windows (with their trees) that
        pass every filter given: Windows pid (or a list of them), exe file
        name, exact caption, exact class, one window by handle.
        message_text also asks every window for WM_GETTEXT."""
        arguments = []
        for one in ([] if pid is None else pid if isinstance(pid, (list, tuple, set)) else [pid]):
            arguments += ["--pid", one]
        if exe is not None:
            arguments += ["--exe", exe]
        if title is not None:
            arguments += ["--title", title]
        if class_name is not None:
            arguments += ["--class", class_name]
        if hwnd is not None:
            arguments += ["--hwnd", hwnd]
        if message_text:
            arguments.append("--message-text")
        return WindowReport(self.inspect(*arguments))

    def wait_for_window(self, timeout, what=None, pid=None, exe=None, title=None,
                        class_name=None, **criteria):
        """Polls until a top-level window passes the filters and matches the
        criteria (see Window.matches) and returns it."""
        def found():
            report = self.windows(pid=pid, exe=exe, title=title, class_name=class_name)
            matching = report.top_level(**criteria)
            return matching[0] if matching else None

        description = what or (f"a window with pid={pid} exe={exe} title={title!r} "
                               f"class={class_name} {criteria}")
        return wait_for(found, timeout, description)

    def processes(self):
        """[{'pid', 'ppid', 'threads', 'exe'}] of the Wine session."""
        return self.inspect("--processes")

    def windows_pids(self, exe_name):
        lowered = exe_name.lower()
        return {process["pid"] for process in self.processes()
                if process["exe"].lower() == lowered}

    def hotkey_free(self, vk, mods=0):
        """Whether RegisterHotKey(vk, mods) would succeed now."""
        return self.inspect("--hotkey-free", vk, "--mods", mods)["free"]

    def gdi_counts(self, pid):
        """{'gdi', 'user', 'handles', 'private_bytes', 'working_set', ...};
        a figure Wine does not give is None (or 0, see the README)."""
        return self.inspect("--gdi-counts", pid)

    def cursor_at(self, x, y, module=None, cursor_id=None):
        """inspect.exe --cursor-at: the window chain under the point and the
        cursor handle Wine reports (see the README for what that is worth)."""
        arguments = ["--cursor-at", x, y]
        if module is not None:
            arguments += ["--cursor-module", self.to_windows_path(module), "--cursor-id", cursor_id]
        return self.inspect(*arguments)

    def activate(self, hwnd, timeout=10):
        """Makes the window the foreground window with SetForegroundWindow
        from inspect.exe (Wine activates a window of another thread later,
        so this polls); AssertionError when it does not become foreground."""
        self.inspect("--activate", hwnd)
        wait_for(lambda: self.windows().foreground == hwnd, timeout,
                 f"window {hwnd} to become the foreground window")

    # --- the display ----------------------------------------------------

    def desktop_offset(self, timeout=10):
        """Where Windows screen point (0, 0) lies on the X screen: the top-left
        corner of the Wine desktop window ((0, 0) for a desktop of the
        screen's size, which Wine puts at the root's origin)."""
        found = wait_for(lambda: xinput.desktop_window(self.env, wine_env.DESKTOP_NAME), timeout,
                         f"the X window of the Wine virtual desktop on {self.display} (is a "
                         f"Wine program running, and was the wineserver started for another "
                         f"DISPLAY?)")
        _, (x, y, _width, _height) = found
        return (x, y)

    def _to_x(self, x, y):
        dx, dy = self.desktop_offset()
        return (x + dx, y + dy)

    def key(self, *keys):
        """Presses and releases each key in turn (xdotool names: "F9",
        "ctrl+F9", "alt+F4", "Escape", "Return")."""
        xinput.xdotool(self.env, "key", *keys)

    def key_down(self, key):
        xinput.xdotool(self.env, "keydown", key)

    def key_up(self, key):
        xinput.xdotool(self.env, "keyup", key)

    def mouse_move(self, x, y):
        """Moves the pointer to Windows screen point (x, y)."""
        target = self._to_x(x, y)
        # xdotool's --sync waits for a motion event, which never comes when
        # the pointer is already there (it then gives up after about 15 s).
        if self._pointer_position() == tuple(target):
            return
        xinput.xdotool(self.env, "mousemove", "--sync", *target)

    def _pointer_position(self):
        """The pointer's X position as (x, y), or None when unknown."""
        status, output = xinput.run_xdotool(self.env, "getmouselocation", "--shell")
        if status != 0:  # an unknown position only costs the sync wait
            return None
        fields = dict(line.split("=", 1) for line in output.splitlines() if "=" in line)
        try:
            return (int(fields["X"]), int(fields["Y"]))
        except (KeyError, ValueError):
            return None

    def click(self, x, y, button=1, count=1):
        """Moves to (x, y) and clicks `count` times (a double click for 2)."""
        self.mouse_move(x, y)
        xinput.xdotool(self.env, "click", "--repeat", count, "--delay", 50, button)

    def mouse_down(self, button=1):
        xinput.xdotool(self.env, "mousedown", button)

    def mouse_up(self, button=1):
        xinput.xdotool(self.env, "mouseup", button)

    def screenshot(self):
        """An Image of the screen; screen_pixel(x, y) takes Windows coordinates."""
        return screen.screenshot(self.env, self.desktop_offset())

    def cursor_image(self):
        """The cursor the X server shows right now."""
        return screen.cursor_image(self.display)

    def wait_for_cursor(self, predicate, timeout, what, skip_blank=True):
        """Polls the X cursor until predicate(image) holds; returns the image.
        A blank cursor (a new window before its first WM_SETCURSOR) never
        matches unless skip_blank is False.

        The cursor changes only some time after the pointer moved, and a
        cursor that does not change cannot be told from one that has not
        changed yet. So wait for a change you can see: to prove that a place
        shows the arrow, first show something else (the hand over a link)
        and then wait for the arrow."""
        def matching():
            image = self.cursor_image()
            if skip_blank and image.blank:
                return None
            return image if predicate(image) else None
        return wait_for(matching, timeout, what)

    def reference_arrow(self, timeout=30):
        """The arrow cursor as this session's X server shows it, taken from a
        focus_window.exe: the horizontal sizing cursor at its left border
        (wider than tall), then whatever replaces it over the client area."""
        if self._arrow is None:
            ready = self.unique_path("arrow-ready")
            window = self.start_tool("focus_window", self.to_windows_path(self.unique_path("keys")),
                                     "--at", 0, 0, 200, 120,
                                     "--ready-file", self.to_windows_path(ready))
            try:
                self.wait_for_file(ready, timeout, "the reference focus window", "1")
                target = self.windows(pid=window.windows_pid).find(class_name="QshFocusTarget")
                client = target.client_rect
                self.mouse_move(target.rect.left + 1, client.center[1])
                sizing = self.wait_for_cursor(lambda image: image.width > image.height, timeout,
                                              "the sizing cursor on a window's left border")
                self.mouse_move(*client.center)
                self._arrow = self.wait_for_cursor(lambda image: image != sizing, timeout,
                                                   "the arrow over a client area")
            finally:
                window.kill()
        return self._arrow

"""The X display the Wine desktop lives on: the one in DISPLAY when it
answers, otherwise an Xvfb of our own."""

import os
import subprocess

from .waiting import wait_for

SCREEN_GEOMETRY = "1024x768x24"


def display_answers(display, env=None):
    """True when an X server accepts connections on `display`."""
    if not display:
        return False
    run_env = dict(os.environ if env is None else env)
    run_env["DISPLAY"] = display
    try:
        return subprocess.run(["xdpyinfo"], env=run_env, stdin=subprocess.DEVNULL,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              timeout=10).returncode == 0
    except subprocess.TimeoutExpired:
        return False


def _display_taken(number):
    return (os.path.exists(f"/tmp/.X{number}-lock")
            or os.path.exists(f"/tmp/.X11-unix/X{number}"))


def free_display(first=90, last=199):
    for number in range(first, last + 1):
        if not _display_taken(number):
            return f":{number}"
    raise AssertionError(f"no free X display between :{first} and :{last}")


class Xvfb:
    """An Xvfb started by the harness; stop() ends it."""

    def __init__(self, display, log_path, geometry=SCREEN_GEOMETRY, timeout=30):
        self.display = display
        self.log_path = log_path
        self._log = open(log_path, "ab")
        self._process = subprocess.Popen(
            ["Xvfb", display, "-screen", "0", geometry, "-nolisten", "tcp"],
            stdin=subprocess.DEVNULL, stdout=self._log, stderr=self._log,
            start_new_session=True)
        try:
            wait_for(lambda: self._process.poll() is not None or display_answers(display),
                     timeout, f"Xvfb on {display}")
            if self._process.poll() is not None:
                raise AssertionError(f"Xvfb {display} ended with {self._process.returncode}: "
                                     f"{self._log_tail()}")
        except AssertionError:
            self.stop()
            raise

    def _log_tail(self):
        self._log.flush()
        try:
            with open(self.log_path, "rb") as log:
                return log.read()[-600:].decode(errors="replace").strip()
        except OSError:
            return "(no log)"

    def stop(self):
        if self._process.poll() is None:
            self._process.terminate()
            try:
                self._process.wait(10)
            except subprocess.TimeoutExpired:
                self._process.kill()
                self._process.wait(10)
        self._log.close()


def ensure_display(log_path, preferred=None):
    """Returns (display, xvfb): the DISPLAY in use when it answers (xvfb is
    None then), else a new Xvfb on QSH_XVFB_DISPLAY, `preferred` or the first
    free display number from :90."""
    current = os.environ.get("DISPLAY")
    if display_answers(current):
        return current, None
    display = os.environ.get("QSH_XVFB_DISPLAY") or preferred or free_display()
    server = Xvfb(display, log_path)
    return display, server

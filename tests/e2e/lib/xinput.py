"""Real keyboard and mouse input through xdotool (XTEST), and the X side of
the Wine virtual desktop."""

import re
import subprocess


def run_xdotool(env, *arguments, timeout=30):
    result = subprocess.run(["xdotool", *map(str, arguments)], env=env,
                            stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, timeout=timeout)
    return result.returncode, result.stdout.decode(errors="replace")


def xdotool(env, *arguments, timeout=30):
    status, output = run_xdotool(env, *arguments, timeout=timeout)
    if status != 0:
        raise AssertionError(f"xdotool {' '.join(map(str, arguments))} failed with {status}")
    return output


def search_windows(env, name_pattern):
    """X window ids whose name matches the regular expression (Wine names the
    X window of every top-level window after its caption)."""
    status, output = run_xdotool(env, "search", "--name", name_pattern)
    if status != 0:  # xdotool answers 1 when nothing matched
        return []
    return [int(line) for line in output.split()]


def window_geometry(env, window_id):
    """(x, y, width, height) of an X window, x and y relative to the root."""
    result = subprocess.run(["xwininfo", "-id", str(window_id)], env=env,
                            stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL, timeout=30)
    if result.returncode != 0:
        return None
    text = result.stdout.decode(errors="replace")
    values = {}
    for label in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"):
        match = re.search(rf"{label}:\s+(-?\d+)", text)
        if match is None:
            return None
        values[label] = int(match.group(1))
    return (values["Absolute upper-left X"], values["Absolute upper-left Y"],
            values["Width"], values["Height"])


def desktop_window(env, desktop_name):
    """(X window id, geometry) of the Wine virtual desktop, or None."""
    for window_id in search_windows(env, f"^{re.escape(desktop_name)} - Wine desktop$"):
        geometry = window_geometry(env, window_id)
        if geometry is not None:
            return window_id, geometry
    return None

"""The project's Wine environment: variables from scripts/wine-env, paths
between Unix and Windows, the virtual desktop of the prefix, the wineserver."""

import os
import subprocess

from . import paths
from .waiting import wait_for

DESKTOP_NAME = "Default"
DEFAULT_DESKTOP_SIZE = "1024x768"


def wine_environment(prefix=None, base=None):
    """The environment every Wine command of the tests runs with.

    Sourced from scripts/wine-env (WINEPREFIX, WINEARCH, WINEDEBUG,
    WINEDLLOVERRIDES, LC_ALL, LANG); `prefix` (or QSH_WINEPREFIX) selects
    the Wine prefix.
    """
    env = dict(os.environ if base is None else base)
    if prefix is not None:
        env["QSH_WINEPREFIX"] = str(prefix)
    script = paths.repo_root() / "scripts" / "wine-env"
    output = subprocess.run(
        ["bash", "-c", 'source "$1" && env -0', "wine-env", str(script)],
        env=env, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
        stderr=subprocess.DEVNULL, check=True, timeout=30).stdout
    result = {}
    for entry in output.split(b"\0"):
        if b"=" in entry:
            key, value = entry.split(b"=", 1)
            result[key.decode()] = value.decode(errors="surrogateescape")
    return result


def with_locale(env, locale):
    """The environment for one program under another system locale. Wine
    takes a process's ANSI code page from the locale that process starts
    with, whatever the wineserver's: no restart is needed, and programs
    under different locales run side by side."""
    if locale is None:
        return env
    return dict(env, LC_ALL=locale, LANG=locale)


def to_windows_path(unix_path):
    """Z:\\... for an absolute Unix path (Wine maps drive Z: to /)."""
    absolute = os.path.abspath(str(unix_path))
    return "Z:" + absolute.replace("/", "\\")


def run_wine_quietly(arguments, env, log_path, timeout=60):
    """Runs one wine command to its end, output to a log file, never a pipe
    that the wineserver could keep open. Returns the exit status."""
    with open(log_path, "ab") as log:
        return subprocess.run(["wine", *arguments], env=env, stdin=subprocess.DEVNULL,
                              stdout=log, stderr=log, timeout=timeout).returncode


def _registry_has(prefix, section, entry):
    try:
        with open(os.path.join(prefix, "user.reg"), encoding="utf-8", errors="replace") as reg:
            text = reg.read()
    except OSError:
        return False
    start = text.find(f"\n[{section}]")
    if start < 0:
        return False
    end = text.find("\n[", start + 1)
    return entry in text[start:end if end >= 0 else len(text)]


def virtual_desktop_configured(prefix, size=DEFAULT_DESKTOP_SIZE):
    """True when user.reg of the prefix already names the virtual desktop."""
    return (_registry_has(prefix, r"Software\\Wine\\Explorer", f'"Desktop"="{DESKTOP_NAME}"')
            and _registry_has(prefix, r"Software\\Wine\\Explorer\\Desktops",
                              f'"{DESKTOP_NAME}"="{size}"'))


def ensure_virtual_desktop(env, log_path, size=DEFAULT_DESKTOP_SIZE):
    """Makes every program of the prefix run inside one Wine virtual desktop
    of the given size, so that windows get Wine's own caption bars and frames
    without a window manager. Returns True when the registry had to change
    (a running wineserver must then be restarted to take it up)."""
    prefix = env["WINEPREFIX"]
    if virtual_desktop_configured(prefix, size):
        return False
    for key, name, value in (
            (r"HKCU\Software\Wine\Explorer", "Desktop", DESKTOP_NAME),
            (r"HKCU\Software\Wine\Explorer\Desktops", DESKTOP_NAME, size)):
        status = run_wine_quietly(["reg", "add", key, "/v", name, "/d", value, "/f"],
                                  env, log_path)
        if status != 0:
            raise AssertionError(f"wine reg add {key} {name}={value} failed with {status}; "
                                 f"see {log_path}")
    return True


def _server_folder_name(prefix):
    """Wine's name for the folder of the prefix's wineserver."""
    info = os.stat(prefix)
    return f"server-{info.st_dev:x}-{info.st_ino:x}"


def wineserver_pids(prefix):
    """Unix pids of the wineservers serving the prefix. A wineserver works
    in its server folder (server-<device>-<inode> under /tmp/.wine-<uid>,
    or $TMPDIR/wine-XXXXXX with Debian's build), which names the prefix;
    looking there connects to nothing."""
    folder = _server_folder_name(prefix)
    found = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/comm") as comm:
                if not comm.read().startswith("wineserver"):
                    continue
            if os.path.basename(os.readlink(f"/proc/{entry}/cwd")) == folder:
                found.append(int(entry))
        except OSError:
            continue
    return found


def wineserver_running(prefix):
    return bool(wineserver_pids(prefix))


def start_wineserver(env, timeout=30):
    """Starts a persistent wineserver for the prefix (output to /dev/null)
    and waits until it accepts connections."""
    subprocess.run(["wineserver", "-p"], env=env, stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=timeout)
    prefix = env["WINEPREFIX"]
    wait_for(lambda: wineserver_running(prefix), timeout, f"the wineserver of {prefix}")


def stop_wineserver(env, timeout=30):
    """Ends every Wine process of the prefix and its wineserver."""
    subprocess.run(["wineserver", "-k"], env=env, stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=timeout)
    prefix = env["WINEPREFIX"]
    wait_for(lambda: not wineserver_running(prefix), timeout,
             f"the wineserver of {prefix} to end")

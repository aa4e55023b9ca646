"""What the end-to-end tests of QelvarinSaveHelper.exe share: a save folder
of their own with the program copied into it, starting the program and
finding its window, posting messages to it, and the stand-in programs
(a focused window, a hotkey holder) that play the game and its rivals."""

import pathlib
import shutil
import tempfile

from lib import harness

PROGRAM_NAME = "QelvarinSaveHelper.exe"
MAIN_CLASS = "QelvarinSaveHelperWindow"
CAPTION = "Qelvarin(zorvex) 存档辅助器 V1.01"
REFUSAL_TEXT = "运行位置不对！"
BOX_CAPTION = "信息："

# The save set in the order backup and restore treat it; the first marks a
# save folder.
SAVE_FILES = ("GameSave_Slot0.sav", "GameSave_Slot0_Backup.sav", "Settings.sav",
              "Settings_Backup.sav")
PRIMARY_SAVE = SAVE_FILES[0]
BACKUP_FOLDER = "Savecopy"

VK_F8, VK_F9, VK_F10 = 119, 120, 121
BACKUP_ID, RESTORE_ID = 33001, 33002  # the ids of a normal start
WM_CLOSE = 0x0010
WM_HOTKEY = 0x0312
COLOR_BTNFACE = 15

TIMEOUT = 20  # for anything the program or Wine should do at once


class SaveFolder:
    """A temporary game save folder holding a copy of the program. Live
    files are the save files beside the exe; copies are those in Savecopy."""

    def __init__(self, folder_name="save", exe_name=PROGRAM_NAME):
        """folder_name may be a relative path of several levels."""
        self.root = pathlib.Path(tempfile.mkdtemp(prefix="qsh-e2e-save-"))
        self.path = self.root / folder_name
        self.path.mkdir(parents=True)
        self.exe = self.path / exe_name
        shutil.copyfile(harness.program_path(), self.exe)

    def remove(self):
        shutil.rmtree(self.root, ignore_errors=True)

    @property
    def backup_folder(self):
        return self.path / BACKUP_FOLDER

    def live(self, name):
        return self.path / name

    def copy(self, name):
        return self.backup_folder / name

    def write_live(self, contents):
        """contents: {file name: bytes, or None to remove the live file}."""
        _write_files(self.path, contents)

    def write_copies(self, contents):
        self.backup_folder.mkdir(exist_ok=True)
        _write_files(self.backup_folder, contents)

    def live_files(self):
        """{file name: bytes or None} for the four save files."""
        return {name: _read_or_none(self.live(name)) for name in SAVE_FILES}

    def copies(self):
        return {name: _read_or_none(self.copy(name)) for name in SAVE_FILES}

    def listing(self):
        """Every file and folder below the save folder, as relative paths."""
        return sorted(str(path.relative_to(self.path)) for path in self.path.rglob("*"))


def _write_files(folder, contents):
    for name, data in contents.items():
        target = folder / name
        if data is None:
            target.unlink(missing_ok=True)
        else:
            target.write_bytes(data)


def _read_or_none(path):
    try:
        return path.read_bytes()
    except FileNotFoundError:
        return None


def describe_files(files):
    """{name: size or None} for messages that would otherwise hold bytes."""
    return {name: None if data is None else f"{len(data)} bytes, {data[:12]!r}..."
            for name, data in files.items()}


def kill_quietly(process):
    """Kills a program this test started, if it still runs (None: none)."""
    if process is not None and process.running():
        process.kill()


def start_program(folder, args=(), cwd=None, locale=None):
    """Starts the program of the save folder (cwd: its folder unless given;
    locale: the system locale, zh_CN.UTF-8 unless given) and returns it with
    its main window, once that is shown. The test registers kill_quietly as
    a clean-up."""
    program = harness.start_exe(folder.exe, cwd=cwd, args=args, timeout=TIMEOUT, locale=locale)
    if program.windows_pid is None:
        raise AssertionError(f"{folder.exe.name} ended at once with {program.wait(TIMEOUT)}; "
                             f"log: {program.log_text()[-500:]}")
    window = wait_for_main_window(program)
    return program, window


def wait_until_serving_keys(program, focus_hwnd, timeout=TIMEOUT):
    """Waits until a freshly started program shows its main window, checks
    that it holds F9 and F10, and gives the focus back to focus_hwnd (the
    stand-in game), as before each press of a long run."""
    if program.windows_pid is None:
        raise AssertionError(f"the program ended at once with {program.wait(timeout)}: "
                             f"{program.log_text()[-500:]}")
    wait_for_main_window(program, timeout)
    # Probed only now: the probe holds the key for an instant itself.
    if harness.hotkey_free(VK_F9):
        raise AssertionError("the program does not hold F9")
    if harness.hotkey_free(VK_F10):
        raise AssertionError("the program does not hold F10")
    harness.activate(focus_hwnd, timeout)


def wait_for_main_window(program, timeout=TIMEOUT):
    return harness.wait_for_window(timeout, f"the main window of {program.name} to be shown",
                                   pid=program.windows_pid, class_name=MAIN_CLASS,
                                   visible=True)


def wait_for_box(program):
    """The program's message box (class #32770) once it is shown."""
    return harness.wait_for_window(TIMEOUT, f"a message box of {program.name}",
                                   pid=program.windows_pid, class_name="#32770", visible=True)


def post(hwnd, message, wparam, lparam=0):
    """Posts a message to a window of another process, as the system posts a
    hotkey press."""
    answer = harness.inspect("--post", hwnd, message, wparam, lparam)
    if not answer["posted"]:
        raise AssertionError(f"PostMessage({hwnd}, {message:#x}, {wparam}, {lparam}) failed "
                             f"with error {answer['error']}")


def post_hotkeys(hwnd, *ids):
    for hotkey_id in ids:
        post(hwnd, WM_HOTKEY, hotkey_id, VK_F9 << 16)


def button_face():
    """The system's button face colour as (r, g, b)."""
    colour = harness.inspect("--sys-color", COLOR_BTNFACE)
    return (colour["red"], colour["green"], colour["blue"])


def hotkeys_free():
    """(F9 free, F10 free) for another program right now."""
    return (harness.hotkey_free(VK_F9), harness.hotkey_free(VK_F10))


def wait_for_files(read, expected, what):
    """Waits until read() (a {name: bytes or None} dict) equals expected."""
    last = {}

    def matches():
        last["value"] = read()
        return last["value"] == expected

    try:
        harness.wait_for(matches, TIMEOUT, what)
    except AssertionError:
        raise AssertionError(f"timed out waiting for {what}: expected {describe_files(expected)}, "
                             f"found {describe_files(last.get('value', {}))}") from None


def read_lines(path):
    try:
        return pathlib.Path(path).read_text().splitlines()
    except OSError:
        return None


def wait_for_lines(path, expected, what):
    """Waits until the log holds exactly the expected lines."""
    try:
        harness.wait_for(lambda: read_lines(path) == expected, TIMEOUT, what)
    except AssertionError:
        raise AssertionError(f"timed out waiting for {what}: expected {expected}, "
                             f"found {read_lines(path)}") from None


class FocusWindow:
    """focus_window.exe: the game stand-in that has the focus and logs the
    keys it receives."""

    def __init__(self, place=(40, 40, 300, 160)):
        session = harness.session()
        self.log = session.unique_path("focus-keys")
        ready = session.unique_path("focus-ready")
        self.process = harness.start_tool("focus_window", harness.to_windows_path(self.log),
                                          "--at", *place, "--ready-file",
                                          harness.to_windows_path(ready))
        harness.wait_for_file(ready, TIMEOUT, "the focus window to be shown and active", "1")
        self.hwnd = harness.windows(pid=self.process.windows_pid).find(
            class_name="QshFocusTarget").hwnd

    def make_foreground(self):
        harness.activate(self.hwnd, TIMEOUT)

    def lines(self):
        return read_lines(self.log) or []


class HotkeyHolder:
    """hold_hotkey.exe: another program that holds one of the keys."""

    def __init__(self, vk):
        session = harness.session()
        ready = session.unique_path("hotkey-ready")
        self.log = session.unique_path("hotkey-log")
        self.vk = vk
        self.process = harness.start_tool("hold_hotkey", vk, "--ready-file",
                                          harness.to_windows_path(ready), "--log-file",
                                          harness.to_windows_path(self.log))
        harness.wait_for_file(ready, TIMEOUT, f"hold_hotkey {vk} to register the key", "1")

    def lines(self):
        return read_lines(self.log) or []


def windows_path_length(path):
    """Length in bytes of the path as the program sees it in code page 936."""
    return len(harness.to_windows_path(path).encode("gbk"))

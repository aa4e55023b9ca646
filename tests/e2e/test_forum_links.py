"""The three forum links, end to end: real presses on the labels of the
loopback twin of the program, and the URLs that reach the browser the Wine
shell starts for them.

Wine's shell opens an http URL with the command registered under
HKEY_CLASSES_ROOT\\http\\shell\\open\\command, winebrowser, which hands it to
the first program of HKCU\\Software\\Wine\\WineBrowser "Browsers". For these
tests that is a shell script of ours that appends each URL it gets to a file;
the value is put back as it was afterwards. A press on a link opens its page
once; a double click opens it once; a press on a place without a link opens
nothing. Each case ends with a press on another link, the marker: presses
reach the program in order, so once the marker's URL has arrived and every
browser start has ended, whatever the earlier presses opened has arrived too.
"""

import collections
import os
import re
import shutil
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from lib import harness, wine_env  # noqa: E402
from lib.release_server import forum_host, loopback_program  # noqa: E402
import program_fixture as pf  # noqa: E402

BOARD_URL = f"http://{forum_host()}/forum-1869-1.html"
INDEX_URL = f"http://{forum_host()}/forum.php"
# label text: (the control's name, the URL its press opens)
LINKS = {
    "反馈地址": ("透明标签8", BOARD_URL),
    "Qelvarin版块": ("透明标签6", BOARD_URL),
    "Tamrow论坛": ("透明标签5", INDEX_URL),
}
NOTE_TEXT = "该程序仍在更新\r\n\r\n更多功能后续更新\r\n\r\n欢迎大家收藏《Qelvarin》 版块\r\n"  # 透明标签4
BROWSER_KEY = r"HKCU\Software\Wine\WineBrowser"
HTTP_COMMAND_KEY = r"HKCR\http\shell\open\command"


def setUpModule():
    harness.session()


def tearDownModule():
    harness.close()


class WineRegistry:
    """reg.exe of the prefix, run to its end with its output in a file."""

    def __init__(self, session):
        self.session = session

    def run(self, *arguments):
        log = self.session.unique_path("reg", ".log")
        status = wine_env.run_wine_quietly(["reg", *arguments], self.session.env, log)
        try:
            output = log.read_bytes().decode("gbk", errors="replace")
        except OSError:
            output = ""
        return status, output

    def query(self, key, value=None):
        """(type, data) of the value (the default value when None), or None
        when it or its key does not exist."""
        status, output = self.run("query", key, *(["/v", value] if value else ["/ve"]))
        if status != 0:
            return None
        name = re.escape(value) if value else r"\(\S+\)"
        found = re.search(rf"^\s+{name}\s+(REG_\w+)\s+(.*?)\r?$", output, re.MULTILINE)
        return (found.group(1), found.group(2)) if found else None

    def key_exists(self, key):
        return self.run("query", key)[0] == 0

    def set(self, key, value, kind, data):
        status, output = self.run("add", key, "/v", value, "/t", kind, "/d", data, "/f")
        if status != 0:
            raise AssertionError(f"reg add {key} {value}={data!r} failed with {status}: {output}")

    def delete(self, key, value=None):
        status, output = self.run("delete", key, *(["/v", value] if value else []), "/f")
        if status != 0:
            raise AssertionError(f"reg delete {key} {value or ''} failed with {status}: {output}")


class BrowserRecorder:
    """Wine's browser replaced by a script that appends the URL it is given
    to a file; install() and restore() change HKCU\\...\\WineBrowser only."""

    def __init__(self, session):
        self.session = session
        self.registry = WineRegistry(session)
        self.folder = session.unique_path("browser")
        self.folder.mkdir()
        self.script = self.folder / "record-url.sh"
        self.log = self.folder / "urls.txt"
        self.script.write_text(f'#!/bin/sh\nprintf "%s\\n" "$*" >> "{self.log}"\n')
        self.script.chmod(0o755)
        self._saved = None

    def install(self):
        command = self.registry.query(HTTP_COMMAND_KEY)
        if command is None or "winebrowser" not in command[1].lower():
            raise AssertionError(f"the prefix opens http URLs with {command!r}, not with Wine's "
                                 f"own winebrowser; these tests record what winebrowser starts")
        self._saved = (self.registry.key_exists(BROWSER_KEY),
                       self.registry.query(BROWSER_KEY, "Browsers"))
        self.registry.set(BROWSER_KEY, "Browsers", "REG_SZ", str(self.script))

    def restore(self):
        if self._saved is None:
            return
        key_existed, value = self._saved
        if value is not None:
            self.registry.set(BROWSER_KEY, "Browsers", *value)
        elif key_existed:
            self.registry.delete(BROWSER_KEY, "Browsers")
        else:
            self.registry.delete(BROWSER_KEY)
        self._saved = None

    def urls(self):
        try:
            return self.log.read_text(encoding="utf-8").splitlines()
        except FileNotFoundError:
            return []

    def clear(self):
        self.wait_until_idle()
        self.log.unlink(missing_ok=True)

    def starts_running(self):
        """Unix pids of the browser starts of this prefix still under way:
        winebrowser (also a child of it before it turns into the script)
        and the script itself."""
        prefix = f"WINEPREFIX={self.session.env['WINEPREFIX']}".encode()
        script = str(self.script).encode()
        running = []
        for entry in os.listdir("/proc"):
            if not entry.isdigit():
                continue
            try:
                with open(f"/proc/{entry}/environ", "rb") as environ:
                    if prefix not in environ.read().split(b"\0"):
                        continue
                with open(f"/proc/{entry}/cmdline", "rb") as cmdline:
                    command = cmdline.read()
                with open(f"/proc/{entry}/comm", "rb") as comm:
                    name = comm.read()
            except OSError:
                continue  # ended meanwhile, or not ours to read
            if b"winebrowser" in name + command.lower() or script in command:
                running.append(int(entry))
        return running

    def wait_until_idle(self):
        harness.wait_for(lambda: not self.starts_running(), pf.TIMEOUT,
                         "every browser start to end")

    def wait_for_urls(self, expected, what):
        """Waits until the recorded URLs are exactly `expected` (in any
        order) and no browser start is under way any more, then checks them
        once more: a late start would add to them."""
        wanted = collections.Counter(expected)
        try:
            harness.wait_for(lambda: collections.Counter(self.urls()) == wanted, pf.TIMEOUT, what)
        except AssertionError:
            raise AssertionError(f"timed out waiting for {what}: expected {sorted(expected)}, "
                                 f"the browser got {self.urls()}") from None
        self.wait_until_idle()
        if collections.Counter(self.urls()) != wanted:
            raise AssertionError(f"{what}: expected {sorted(expected)}, the browser got "
                                 f"{self.urls()}")


class ForumLinksTest(unittest.TestCase):
    """One program for the class: the links never end it."""

    @classmethod
    def setUpClass(cls):
        session = harness.session()
        cls.recorder = BrowserRecorder(session)
        cls.folder = pf.SaveFolder()
        cls.program = None
        try:
            cls.recorder.install()
            shutil.copyfile(loopback_program(), cls.folder.exe)
            cls.folder.write_live({pf.PRIMARY_SAVE: b"save"})
            cls.program, cls.main = pf.start_program(cls.folder)
            report = harness.windows(pid=cls.program.windows_pid)
            cls.controls = {window.text: window for window in
                            report.find_all(class_name="QelvarinTransparentLabel")}
            cls.author_box = report.find(class_name="Button", text="作者声明")
        except BaseException:
            cls.tearDownClass()
            raise

    @classmethod
    def tearDownClass(cls):
        if cls.program is not None:
            pf.kill_quietly(cls.program)
        try:
            cls.recorder.restore()
        finally:
            cls.folder.remove()

    def setUp(self):
        self.recorder.clear()

    def tearDown(self):
        self.assertTrue(self.program.running(), "the program ended")
        main = harness.windows(pid=self.program.windows_pid).find(class_name=pf.MAIN_CLASS)
        self.assertTrue(main.visible)
        self.assertEqual(harness.windows(pid=self.program.windows_pid).top_level(
            class_name="#32770"), [], "the program shows a box")

    def label(self, text):
        return self.controls[text]

    def point_in(self, text, x, y):
        """Screen point of (x, y) in the client area of the label."""
        area = self.label(text).client_rect
        return (area.left + x, area.top + y)

    @staticmethod
    def marker_for(url):
        """Another link than one opening url, to press after a case."""
        return ("Tamrow论坛", INDEX_URL) if url == BOARD_URL else ("反馈地址", BOARD_URL)

    def press_marker(self, text):
        # Not the label's centre, where a case may have left the pointer:
        # a move of the pointer to where it already is keeps xdotool's
        # --sync waiting for a motion that never comes (for some 15 s).
        label = self.label(text)
        harness.click(label.rect.left + 8, label.rect.center[1])

    def test_each_link_opens_its_page_once_per_press(self):
        for text, (name, url) in LINKS.items():
            with self.subTest(label=name, text=text):
                self.recorder.clear()
                label = self.label(text)
                # Two presses apart from each other, so that they are not
                # taken for a double click, then the marker.
                harness.click(label.rect.left + 2, label.rect.center[1])
                harness.click(label.rect.right - 3, label.rect.center[1])
                marker_text, marker_url = self.marker_for(url)
                self.press_marker(marker_text)
                self.recorder.wait_for_urls([url, url, marker_url],
                                            f"two presses on {name} and one on {marker_text}")

    def test_a_double_click_opens_the_page_once(self):
        for text, (name, url) in LINKS.items():
            with self.subTest(label=name, text=text):
                self.recorder.clear()
                harness.click(*self.label(text).rect.center, count=2)
                marker_text, marker_url = self.marker_for(url)
                self.press_marker(marker_text)
                self.recorder.wait_for_urls([url, marker_url],
                                            f"a double click on {name} and a press on "
                                            f"{marker_text}")

    def test_the_page_opens_when_the_button_goes_down(self):
        text = "Qelvarin版块"
        harness.mouse_move(*self.label(text).rect.center)
        harness.mouse_down()
        try:
            self.recorder.wait_for_urls([BOARD_URL], "the button held down on 透明标签6")
            # Released elsewhere, over the gap between 分组框1 and 分组框3:
            # nothing more.
            client = self.main.client_rect
            harness.mouse_move(client.left + 364, client.top + 300)
        finally:
            harness.mouse_up()
        self.press_marker("Tamrow论坛")
        self.recorder.wait_for_urls([BOARD_URL, INDEX_URL],
                                    "a press on 透明标签6 released elsewhere, then 透明标签5")

    def test_presses_beside_the_links_open_nothing(self):
        box = self.author_box.client_rect
        places = {
            "分组框3 between its two links": (box.left + 100, box.top + 128),
            "分组框3 right of 透明标签6": (box.left + 216, box.top + 128),
            "分组框3 below its links": (box.left + 100, box.top + 150),
            "分组框3 left of 透明标签5": (box.left + 10, box.top + 128),
            "the caption of 分组框3": (box.left + 20, box.top + 5),
            "透明标签4 in 分组框3": self.point_in(NOTE_TEXT, 104, 44),
        }
        for where, point in places.items():
            harness.click(*point)
        self.press_marker("Tamrow论坛")
        self.recorder.wait_for_urls([INDEX_URL], f"presses on {', '.join(places)}, "
                                                 f"then one on 透明标签5")


if __name__ == "__main__":
    unittest.main()

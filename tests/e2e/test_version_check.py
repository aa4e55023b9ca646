"""The check behind "检查更新", end to end: the loopback twin of the program
(built with the forum on 127.0.0.1) against a real HTTP server of the tests,
the label pressed with the mouse, the message box read with inspect.exe.

A page that holds "软件版本：【V1.01】" gives "该版本为最新版本" and the
program goes on; every other page, and no server at all, gives
"该版本已失效，或网络条件不好！" and the program ends with 0 once the box is
closed. The server also checks the request itself: a GET in HTTP/1.0 with
the program's user agent and "Accept: */*", made anew at every press."""

import os
import pathlib
import shutil
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from lib import harness  # noqa: E402
from lib.release_server import (RELEASE_PAGE_PATH, ReleaseServer, Response,  # noqa: E402
                                forum_host, forum_port, loopback_program, port_is_free)
import program_fixture as pf  # noqa: E402

MARKER = "软件版本：【V1.01】"
CURRENT_TEXT = "该版本为最新版本"
OUTDATED_TEXT = "该版本已失效，或网络条件不好！"
USER_AGENT = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)"
CHECK_LABEL = "检查更新"
SHOWN_TEXT_ID = 230  # 编辑框1, the invisible edit box the page passes through
IDOK = 1
# Answers that invite a cache to keep them, so that a second answer from a
# cache instead of the server would show.
CACHEABLE = ("Content-Type: text/html; charset=utf-8", "Cache-Control: public, max-age=86400",
             "Expires: Thu, 31 Dec 2099 23:59:59 GMT",
             "Last-Modified: Mon, 01 Jan 2001 00:00:00 GMT")


def thread_page(post, title="【发布】Qelvarin 存档辅助器"):
    """A forum thread as the forum serves it, with post in its first post."""
    return ("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">"
            f"<title>{title} - Tamrow论坛</title></head>\n<body>\n"
            "<div class=\"post\">楼主 Tamrow Lunwick 发表于 2024-3-1</div>\n"
            f"<div class=\"message\">{post}</div>\n"
            "<div class=\"reply\">感谢分享，已收藏！</div>\n</body></html>\n")


def utf8(text):
    return text.encode("utf-8")


RELEASE_POST = f"游戏存档辅助工具，按F9保存，按F10还原。<br>\n{MARKER}<br>\n下载地址见附件。"
RELEASE_PAGE = utf8(thread_page(RELEASE_POST))
# Enough lines that a page holding them takes more than one read of the
# largest chunk (102400 bytes).
LONG_TEXT = "".join(f"存档备份与还原说明，每行都不一样：第{line:05d}行。<br>\n" for line in range(5000))


def long_page(tail):
    """A long page with tail at the end of its post, and the number of its
    bytes before tail (a place between two whole characters)."""
    page = thread_page(LONG_TEXT + tail)
    return utf8(page), len(utf8(page[:page.index(tail)]))


def cached_pages(since):
    """Copies of the release page that WinINet's cache of the prefix got
    since the given time (time.time())."""
    users = pathlib.Path(harness.session().env["WINEPREFIX"]) / "drive_c" / "users"
    stem = RELEASE_PAGE_PATH.rsplit("/", 1)[1].rsplit(".", 1)[0]
    return [str(path) for path in users.glob(f"*/**/{stem}*")
            if path.is_file() and path.stat().st_mtime >= since]


def setUpModule():
    harness.session()


def tearDownModule():
    harness.close()


class VersionCheckTestCase(unittest.TestCase):
    """The server of the forum host for the whole class; a save folder
    with the loopback twin and a fresh program for every case."""

    @classmethod
    def setUpClass(cls):
        cls.port = forum_port()
        cls.server = ReleaseServer(cls.port).start()

    @classmethod
    def tearDownClass(cls):
        cls.server.stop()

    def setUp(self):
        if not self.server.running:
            self.server.start()
        self.server.reset()

    def start_program(self):
        folder = pf.SaveFolder()
        self.addCleanup(folder.remove)
        shutil.copyfile(loopback_program(), folder.exe)
        folder.write_live({name: f"{name} before".encode() for name in pf.SAVE_FILES})
        program, main = pf.start_program(folder)
        self.addCleanup(pf.kill_quietly, program)
        return folder, program, main

    def press_check(self, program):
        """A left-button press on "检查更新"."""
        label = harness.windows(pid=program.windows_pid).find(text=CHECK_LABEL)
        harness.click(*label.rect.center)

    def read_box(self, program):
        """The message box once it is shown: captioned "信息：", no owner,
        one OK button. Returns it and its text in GBK bytes."""
        box = pf.wait_for_box(program)
        self.assertEqual(box.text_acp, pf.BOX_CAPTION.encode("gbk"))
        self.assertEqual(box.owner, 0, "the box has an owner window")
        buttons = box.find_all(class_name="Button")
        self.assertEqual([button.id for button in buttons], [IDOK],
                         [button.describe() for button in buttons])
        texts = [window.text_acp for window in box.walk()
                 if window.class_name == "Static" and window.text_acp]
        self.assertEqual(len(texts), 1, texts)
        return box, texts[0]

    def close_box(self, program, box):
        """Clicks the box's OK button and waits until the box is gone."""
        harness.click(*box.find(id=IDOK).rect.center)
        harness.wait_for(lambda: not harness.windows(pid=program.windows_pid).top_level(
                             class_name="#32770"),
                         pf.TIMEOUT, "the message box to close")

    def assert_plain_get(self, request):
        self.assertEqual(request.request_line, f"GET {RELEASE_PAGE_PATH} HTTP/1.0", request.raw)
        self.assertEqual(request.header_values("User-Agent"), [USER_AGENT], request.raw)
        self.assertEqual(request.header_values("Accept"), ["*/*"], request.raw)
        self.assertEqual(request.header_values("Host"), [forum_host()], request.raw)

    def assert_says(self, text, expected):
        self.assertEqual(text, expected.encode("gbk"),
                         f"the box says {text.decode('gbk', 'replace')!r}, not {expected!r}")

    def check_ends_the_program(self, response=None):
        """Serves response (none: no server), presses the label, and checks
        the failure message and the end with 0; returns the requests."""
        self.server.reset()
        if response is not None:
            self.server.serve(RELEASE_PAGE_PATH, response)
        _, program, _ = self.start_program()
        try:
            self.press_check(program)
            box, text = self.read_box(program)
            self.assert_says(text, OUTDATED_TEXT)
            self.assertTrue(program.running(), "the program ended before the box was closed")
            harness.click(*box.find(id=IDOK).rect.center)
            self.assertEqual(program.wait(pf.TIMEOUT), 0)
        finally:
            pf.kill_quietly(program)  # no box of a failed case may stay on the screen
        return self.server.requests

    def check_says_current(self, response):
        """Serves response, presses the label, checks "该版本为最新版本",
        that 编辑框1 holds every byte of the body sent, and that the program
        goes on once the box is closed; returns the save folder, the program
        and its main window."""
        self.server.reset()
        self.server.serve(RELEASE_PAGE_PATH, response)
        folder, program, main = self.start_program()
        try:
            self.press_check(program)
            box, text = self.read_box(program)
            self.assert_says(text, CURRENT_TEXT)
            self.close_box(program, box)
            self.assertTrue(program.running(), f"the program ended: {program.log_text()[-300:]}")
            self.assertEqual(len(self.server.requests), 1)
            self.assert_shown(main, response.sent_body())
        except BaseException:
            pf.kill_quietly(program)  # no box of a failed case may stay on the screen
            raise
        return folder, program, main

    def assert_shown(self, main, body):
        """编辑框1 holds the page as received (asked for with WM_GETTEXT)."""
        edit = main.find(id=SHOWN_TEXT_ID)
        shown = harness.windows(hwnd=edit.hwnd, message_text=True).find(id=SHOWN_TEXT_ID)
        expected = body.decode("utf-8")
        if shown.text_message != expected:
            self.fail(f"编辑框1 holds {len(shown.text_message or '')} characters, not the "
                      f"{len(expected)} of the page as received; it begins "
                      f"{(shown.text_message or '')[:80]!r}")
        self.assertFalse(shown.visible, "编辑框1 became visible")


class CurrentVersionTest(VersionCheckTestCase):
    def test_the_marker_says_current_the_program_goes_on_and_a_second_press_asks_again(self):
        started = time.time() - 1
        folder, program, main = self.check_says_current(Response(body=RELEASE_PAGE,
                                                                 headers=CACHEABLE))
        still = harness.windows(pid=program.windows_pid).find(class_name=pf.MAIN_CLASS)
        self.assertTrue(still.visible)
        self.assertEqual(still.hwnd, main.hwnd)

        # The hotkeys still serve.
        harness.key("F9")
        pf.wait_for_files(folder.copies, folder.live_files(), "F9 to back up after the check")

        # Another press fetches again from the server, not from a cache,
        # and the box shows the new page's verdict.
        second_page = utf8(thread_page(f"第二次发布：{MARKER}，修正了还原。"))
        self.server.serve(RELEASE_PAGE_PATH, Response(body=second_page, headers=CACHEABLE))
        self.press_check(program)
        box, text = self.read_box(program)
        self.assert_says(text, CURRENT_TEXT)
        requests = self.server.requests
        self.assertEqual(len(requests), 2, [request.raw for request in requests])
        for request in requests:
            self.assert_plain_get(request)
        self.close_box(program, box)
        self.assert_shown(main, second_page)
        self.assertTrue(program.running())
        self.assertEqual(cached_pages(started), [], "the page was written to WinINet's cache")

    def test_the_request_is_a_get_in_http_1_0_with_the_program_s_agent_and_accept(self):
        # The marker as the very first bytes of the body.
        self.check_says_current(Response(body=utf8(MARKER + "\n" + thread_page(RELEASE_POST))))
        request, = self.server.requests
        self.assert_plain_get(request)
        # No body, no credentials, no cookies ride on it.
        for name in ("Content-Length", "Authorization", "Proxy-Authorization", "Cookie"):
            self.assertEqual(request.header_values(name), [], request.raw)

    def test_answers_that_still_hold_the_marker_count_as_found(self):
        page_ending_in_marker, _ = long_page(MARKER)
        page_after_marker = RELEASE_PAGE + utf8(LONG_TEXT)
        # A cut between two lines, well past the first read.
        cut = len(RELEASE_PAGE) + len(utf8(LONG_TEXT[:LONG_TEXT.index("第03000行")]))
        cases = {
            "a 404 whose body holds the marker":
                Response(status=404, body=utf8(thread_page(f"帖子已删除 {MARKER}"))),
            "a body cut off after the marker":
                Response(body=page_after_marker, cut_after=cut),
            "a body without a Content-Length": Response(body=RELEASE_PAGE, content_length=False),
            "a body of several reads with the marker at its end":
                Response(body=page_ending_in_marker),
        }
        self.assertGreater(cut, 102400)
        self.assertGreater(len(page_ending_in_marker), 2 * 102400)
        for case, response in cases.items():
            with self.subTest(case=case):
                self.check_says_current(response)


class OutdatedVersionTest(VersionCheckTestCase):
    def test_pages_without_this_version_s_marker_end_the_program_with_0(self):
        cases = {
            "the marker of a later version":
                utf8(thread_page(RELEASE_POST.replace("V1.01", "V1.02"))),
            "the marker with a small v": utf8(thread_page(RELEASE_POST.replace("V1.01", "v1.01"))),
            "a byte-order mark at the head of the page": b"\xef\xbb\xbf" + RELEASE_PAGE,
            "a no-break space U+00A0 in the page":
                utf8(thread_page(RELEASE_POST.replace("下载地址", "下载\u00a0地址"))),
            "a character beyond U+FFFF in the page":
                utf8(thread_page(RELEASE_POST + "好评\U0001F600")),
            "the page in GBK instead of UTF-8": thread_page(RELEASE_POST).encode("gbk"),
            "the marker after a zero byte": utf8(thread_page("开头\0" + RELEASE_POST)),
            "an empty page": b"",
        }
        for case, body in cases.items():
            with self.subTest(case=case):
                requests = self.check_ends_the_program(Response(body=body))
                self.assertEqual(len(requests), 1, [request.raw for request in requests])

    def test_a_body_cut_off_before_the_marker_ends_the_program(self):
        page, before_marker = long_page(MARKER)
        self.assertGreater(before_marker, 102400)
        requests = self.check_ends_the_program(Response(body=page, cut_after=before_marker))
        self.assertEqual(len(requests), 1)

    def test_without_a_server_the_program_ends_with_0(self):
        self.server.stop()
        self.assertTrue(port_is_free(self.port), f"something else listens on port {self.port}")
        self.check_ends_the_program()


if __name__ == "__main__":
    unittest.main()

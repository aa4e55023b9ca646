"""Proves the end-to-end harness and its Win32 tools against stand-in
programs: the window inspector, real key presses, a held hotkey, a file held
without sharing, screenshots and the X cursor."""

import os
import pathlib
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from lib import harness  # noqa: E402
from lib.windows import Rect, WS_CAPTION, WS_SYSMENU  # noqa: E402

VK_F8, VK_F9, VK_F10 = 119, 120, 121
TIMEOUT = 20
PLACE = (100, 120, 300, 200)  # left, top, width, height of the focus window


def setUpModule():
    harness.session()


def tearDownModule():
    harness.close()


class HarnessTestCase(unittest.TestCase):
    def setUp(self):
        self.session = harness.session()
        self.started = []

    def tearDown(self):
        for process in self.started:
            if process.running():
                process.kill()

    def start_tool(self, name, *args):
        process = harness.start_tool(name, *args)
        self.started.append(process)
        return process

    def path(self, stem):
        return self.session.unique_path(stem)

    def start_focus_window(self, place=PLACE):
        """The Focus Target window, shown, active, logging its key presses."""
        log, ready = self.path("keys"), self.path("focus-ready")
        process = self.start_tool("focus_window", harness.to_windows_path(log),
                                  "--at", *place, "--ready-file", harness.to_windows_path(ready))
        harness.wait_for_file(ready, TIMEOUT, "Focus Target to be shown and active", "1")
        return process, log

    def start_hotkey_holder(self, vk, expect_ready=True):
        ready, log = self.path("hotkey-ready"), self.path("hotkey-log")
        process = self.start_tool("hold_hotkey", vk, "--ready-file", harness.to_windows_path(ready),
                                  "--log-file", harness.to_windows_path(log))
        harness.wait_for_file(ready, TIMEOUT, f"hold_hotkey {vk} to register",
                              "1" if expect_ready else "0")
        return process, log

    def wait_for_lines(self, path, expected, what):
        """Waits until the log ends with exactly the expected lines."""
        def read():
            try:
                lines = pathlib.Path(path).read_text().splitlines()
            except OSError:
                return None
            return lines if lines == expected else None
        return harness.wait_for(read, TIMEOUT, what)


class InspectTest(HarnessTestCase):
    def test_reports_the_focus_window_with_title_rect_and_pid(self):
        process, _ = self.start_focus_window()
        self.assertIsNotNone(process.windows_pid)

        report = harness.windows(pid=process.windows_pid)
        window = report.find(class_name="QshFocusTarget")
        left, top, width, height = PLACE
        self.assertEqual(window.text, "Focus Target")
        self.assertEqual(window.text_acp, b"Focus Target")
        self.assertEqual(window.rect, Rect(left, top, left + width, top + height))
        self.assertEqual(window.pos, (left, top))
        self.assertEqual(window.pid, process.windows_pid)
        self.assertTrue(window.visible and window.ws_visible and window.enabled)
        self.assertTrue(window.has_style(WS_CAPTION | WS_SYSMENU))
        self.assertEqual(window.parent, 0)
        self.assertTrue(window.foreground)
        self.assertEqual(report.foreground, window.hwnd)
        # The client area lies inside the frame, below the caption bar.
        self.assertLess(window.rect.left, window.client_rect.left)
        self.assertLess(window.rect.top + 10, window.client_rect.top)
        self.assertEqual(window.client_size, (window.client_rect.width, window.client_rect.height))

        # The other filters find the same window; a foreign pid finds nothing.
        self.assertEqual(harness.windows(title="Focus Target").find().hwnd, window.hwnd)
        self.assertEqual(harness.windows(exe="focus_window.exe").top_level(
            class_name="QshFocusTarget")[0].hwnd, window.hwnd)
        self.assertEqual(harness.windows(pid=process.windows_pid + 100000).windows, [])

    def test_point_query_names_the_window_under_the_point(self):
        self.start_focus_window()
        window = harness.windows(title="Focus Target").find()
        x, y = window.client_rect.center
        answer = harness.cursor_at(x, y)
        self.assertEqual(answer["window_from_point"]["hwnd"], window.hwnd)
        self.assertEqual(answer["chain"][0]["hwnd"], window.hwnd)

    def test_resource_counts_name_the_process(self):
        process, _ = self.start_focus_window()
        counts = harness.gdi_counts(process.windows_pid)
        self.assertTrue(counts["opened"])
        self.assertTrue(counts["running"])
        self.assertGreater(counts["working_set"], 0)

    def test_a_frozen_program_is_still_inspected(self):
        process, _ = self.start_focus_window()
        process.freeze()
        try:
            window = harness.windows(pid=process.windows_pid).find(class_name="QshFocusTarget")
            self.assertEqual(window.text, "Focus Target")
            self.assertIsNone(harness.windows(pid=process.windows_pid, message_text=True)
                              .find(class_name="QshFocusTarget").text_message)
            self.assertEqual(harness.cursor_at(*window.client_rect.center)
                             ["window_from_point"]["hwnd"], window.hwnd)
        finally:
            process.thaw()
        self.assertEqual(harness.windows(pid=process.windows_pid, message_text=True)
                         .find(class_name="QshFocusTarget").text_message, "Focus Target")

    def test_activation_brings_a_window_to_the_foreground(self):
        first, _ = self.start_focus_window()
        second, _ = self.start_focus_window((500, 300, 300, 200))
        report = harness.windows(title="Focus Target")
        first_window = report.find(pid=first.windows_pid)
        second_window = report.find(pid=second.windows_pid)
        self.assertEqual(report.foreground, second_window.hwnd)
        harness.activate(first_window.hwnd)
        # A click on the caption bar does it the user's way.
        harness.click(second_window.rect.left + 60, second_window.rect.top + 8)
        harness.wait_for(lambda: harness.windows().foreground == second_window.hwnd, TIMEOUT,
                         "the clicked window to become the foreground window")

    def test_program_end_is_seen_with_its_exit_code(self):
        stop, ready, log = self.path("stop"), self.path("ready"), self.path("keys")
        process = self.start_tool("focus_window", harness.to_windows_path(log),
                                  "--ready-file", harness.to_windows_path(ready),
                                  "--stop-file", harness.to_windows_path(stop))
        harness.wait_for_file(ready, TIMEOUT, "Focus Target to be shown", "1")
        stop.write_text("stop")
        self.assertEqual(process.wait(TIMEOUT), 0)
        harness.wait_for(lambda: not harness.windows(title="Focus Target").windows, TIMEOUT,
                         "the Focus Target window to be gone")


class KeyboardTest(HarnessTestCase):
    def test_keys_reach_the_focused_window_when_nobody_holds_them(self):
        _, log = self.start_focus_window()
        harness.key("F9", "F10", "F8")
        self.wait_for_lines(log, [f"WM_KEYDOWN {VK_F9}", f"WM_SYSKEYDOWN {VK_F10}",
                                  f"WM_KEYDOWN {VK_F8}"], "F9, F10 and F8 in the Focus Target log")

    def test_held_hotkey_is_busy_and_takes_the_key_from_the_focused_window(self):
        self.assertTrue(harness.hotkey_free(VK_F9), "F9 should be free before the test")
        _, keys = self.start_focus_window()
        holder, hotkey_log = self.start_hotkey_holder(VK_F9)
        self.assertFalse(harness.hotkey_free(VK_F9))
        self.assertTrue(harness.hotkey_free(VK_F10))

        # F8 comes after F9 on the same input queue: once it has arrived, F9
        # would have arrived before it.
        harness.key("F9", "F8")
        self.wait_for_lines(hotkey_log, [f"WM_HOTKEY {VK_F9}"], "F9 at the hotkey holder")
        self.wait_for_lines(keys, [f"WM_KEYDOWN {VK_F8}"], "only F8 at the Focus Target")

        # A second holder is refused; once the first is killed the key is free.
        second = self.start_tool("hold_hotkey", VK_F9, "--ready-file",
                                 harness.to_windows_path(self.path("refused")))
        self.assertEqual(second.wait(TIMEOUT), 1)
        self.assertEqual(holder.kill(), -9)
        harness.wait_for(lambda: harness.hotkey_free(VK_F9), TIMEOUT,
                         "F9 to be free after its holder was killed")


class HeldFileTest(HarnessTestCase):
    def copy_with_cmd(self, source, target):
        """What the program under test does to a save file: a Win32 copy."""
        return self.session.run_wine("cmd", "/c", "copy", "/y", harness.to_windows_path(source),
                                     harness.to_windows_path(target), timeout=TIMEOUT)

    def test_file_held_without_sharing_cannot_be_copied(self):
        source, target = self.path("held.sav"), self.path("copy.sav")
        source.write_bytes(b"save data")
        ready, stop = self.path("ready"), self.path("stop")
        holder = self.start_tool("hold_file", harness.to_windows_path(source),
                                 "--ready-file", harness.to_windows_path(ready),
                                 "--stop-file", harness.to_windows_path(stop))
        harness.wait_for_file(ready, TIMEOUT, "hold_file to open the file", "1")
        self.assertNotEqual(self.copy_with_cmd(source, target), 0)
        self.assertFalse(target.exists(), "a copy was made of a file held without sharing")

        stop.write_text("stop")
        self.assertEqual(holder.wait(TIMEOUT), 0)
        self.assertEqual(self.copy_with_cmd(source, target), 0)
        self.assertEqual(target.read_bytes(), b"save data")

    def test_missing_file_is_reported_not_ready(self):
        ready = self.path("ready")
        holder = self.start_tool("hold_file", harness.to_windows_path(self.path("absent.sav")),
                                 "--ready-file", harness.to_windows_path(ready))
        self.assertEqual(holder.wait(TIMEOUT), 1)
        self.assertEqual(ready.read_text(), "0")


class ScreenTest(HarnessTestCase):
    def test_screenshot_shows_the_white_client_area_inside_the_window(self):
        self.start_focus_window()
        window = harness.windows(title="Focus Target").find()
        inside = window.client_rect
        # The window paints itself after it is shown; poll until it has.
        harness.wait_for(lambda: harness.screenshot().screen_pixel(*inside.center) == (255, 255, 255),
                         TIMEOUT, "the white client area on the screen")
        image = harness.screenshot()
        client = (inside.left + 2, inside.top + 2, inside.right - 2, inside.bottom - 2)
        area = (client[2] - client[0]) * (client[3] - client[1])
        self.assertEqual(image.count((255, 255, 255), *client), area)
        caption = image.screen_pixel(inside.center[0], window.rect.top + 8)
        outside = image.screen_pixel(window.rect.right + 20, window.rect.bottom + 20)
        self.assertNotEqual(caption, (255, 255, 255))
        self.assertNotEqual(outside, (255, 255, 255))

    def test_x_cursor_follows_the_window_under_the_pointer(self):
        arrow = harness.reference_arrow()
        self.assertGreater(arrow.height, arrow.width)
        self.start_focus_window()
        window = harness.windows(title="Focus Target").find()
        # The left edge of a sizable frame shows the sizing cursor ...
        harness.mouse_move(window.rect.left + 1, window.client_rect.center[1])
        sizing = harness.wait_for_cursor(lambda image: image != arrow, TIMEOUT,
                                         "the cursor to change over the sizing border")
        self.assertGreater(sizing.width, sizing.height)
        # ... and the client area the arrow again.
        harness.mouse_move(*window.client_rect.center)
        harness.wait_for_cursor(lambda image: image == arrow, TIMEOUT,
                                "the arrow over the client area")


if __name__ == "__main__":
    unittest.main()

"""The program under three system locales: Chinese (ANSI code page 936),
Japanese (932) and English (1252, the common case under Wine and Proton).
Under each, the title, every control's text and both message boxes read back
through wide calls as the expected Unicode texts; the window's texts are
drawn readably (read back from a screenshot by OCR, which finds neither box
glyphs nor mojibake there); and "检查更新" against a page holding the marker
says "该版本为最新版本" and the program goes on."""

import collections
import os
import shutil
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from lib import harness  # noqa: E402
from lib.release_server import (RELEASE_PAGE_PATH, ReleaseServer, Response,  # noqa: E402
                                forum_port, loopback_program)
import program_fixture as pf  # noqa: E402
from test_main_window import CONTROLS, IDS  # noqa: E402
from test_version_check import CURRENT_TEXT, IDOK, RELEASE_PAGE  # noqa: E402

LOCALES = ("C.UTF-8", "ja_JP.UTF-8", "zh_CN.UTF-8")
# Of the expected Chinese characters of all texts together, OCR must find at
# least this share; of each transparent label's, at least LABEL_SHARE. Boxes
# or mojibake leave next to none (the zh_CN rendering reads at about 0.9).
ALL_SHARE = 0.8
LABEL_SHARE = 0.5
OCR_SCALE = "300%"  # the window's small font, enlarged for the OCR
GROUP_CAPTION_HEIGHT = 16
EXPECTED_TEXTS = {IDS[name]: row[-1] for name, row in CONTROLS.items()}


def setUpModule():
    harness.session()


def tearDownModule():
    harness.close()


def chinese(text):
    return [c for c in text if "\u3400" <= c <= "\u9fff"]


def found_share(expected, read):
    """The share of expected's Chinese characters found in read (each found
    character counted as often as it occurs in both)."""
    wanted = collections.Counter(chinese(expected))
    if not wanted:
        return 1.0
    got = collections.Counter(read)
    return sum(min(count, got[c]) for c, count in wanted.items()) / sum(wanted.values())


def count_pixels(image, rect, wanted):
    """Pixels of the rectangle whose (r, g, b) satisfies wanted."""
    return sum(1 for y in range(rect.top, rect.bottom) for x in range(rect.left, rect.right)
               if wanted(*image.screen_pixel(x, y)))


def bluish(r, g, b):  # the link labels' text, smoothed edges included
    return b >= 128 and r < 128 and g < 128


def dark(r, g, b):  # black text, smoothed edges included
    return max(r, g, b) < 96


def ocr(shot_path, rect, height, work_path):
    """The text OCR reads in that rectangle (Windows screen coordinates) of
    the screenshot, without blanks."""
    dx, dy = harness.desktop_offset()
    geometry = f"{rect.width}x{height}+{rect.left + dx}+{rect.top + dy}"
    subprocess.run(["convert", str(shot_path), "-crop", geometry, "+repage", "-resize", OCR_SCALE,
                    str(work_path)], check=True, timeout=60, stdin=subprocess.DEVNULL,
                   capture_output=True)
    result = subprocess.run(["tesseract", str(work_path), "-", "-l", "chi_sim", "--psm", "6"],
                            timeout=120, stdin=subprocess.DEVNULL, capture_output=True, text=True)
    if result.returncode != 0:
        raise AssertionError(f"tesseract failed ({result.returncode}): {result.stderr[-300:]}")
    return "".join(result.stdout.split())


class SystemLocaleTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        for tool in ("tesseract", "convert"):
            if shutil.which(tool) is None:
                raise AssertionError(f"{tool} is missing (scripts/setup installs it)")
        cls.server = ReleaseServer(forum_port()).start()

    @classmethod
    def tearDownClass(cls):
        cls.server.stop()

    def start_program(self, locale, with_primary_save=True):
        folder = pf.SaveFolder()
        self.addCleanup(folder.remove)
        shutil.copyfile(loopback_program(), folder.exe)
        if with_primary_save:
            folder.write_live({name: name.encode() for name in pf.SAVE_FILES})
        if not with_primary_save:
            program = harness.start_exe(folder.exe, timeout=pf.TIMEOUT, locale=locale)
            self.addCleanup(pf.kill_quietly, program)
            return program, None
        program, main = pf.start_program(folder, locale=locale)
        self.addCleanup(pf.kill_quietly, program)
        return program, main

    def assert_box(self, program, expected_text):
        """The program's box: caption "信息：" and the text, as wide calls read them."""
        box = pf.wait_for_box(program)
        self.assertEqual(box.text, pf.BOX_CAPTION)
        texts = [window.text for window in box.walk()
                 if window.class_name == "Static" and window.text]
        self.assertEqual(texts, [expected_text])
        return box

    def assert_box_text_readable(self, box, expected):
        """OCR reads the box's text in a screenshot: drawn, not boxes."""
        static = [window for window in box.walk()
                  if window.class_name == "Static" and window.text == expected][0]
        shot_path = harness.session().unique_path("box-shot", ".png")
        work_path = harness.session().unique_path("box-ocr", ".png")
        harness.wait_for(lambda: count_pixels(harness.screenshot(), static.rect, dark) > 20,
                         pf.TIMEOUT, "the box's text to be painted")
        harness.screenshot().save_png(shot_path)
        read = ocr(shot_path, static.rect, static.rect.height, work_path)
        self.assertNotRegex(read, "[\u00a1-\u00ff]", f"mojibake in the box: {read!r}")
        self.assertGreaterEqual(found_share(expected, read), LABEL_SHARE,
                                f"the box's {expected!r} reads as {read!r} (screenshot {shot_path})")

    def test_title_and_every_control_text_read_back_as_unicode(self):
        for locale in LOCALES:
            with self.subTest(locale=locale):
                program, _ = self.start_program(locale)
                report = harness.windows(pid=program.windows_pid, message_text=True)
                main = report.find(class_name=pf.MAIN_CLASS)
                self.assertEqual(main.text, pf.CAPTION)
                self.assertEqual(main.text_message, pf.CAPTION)
                for name, row in CONTROLS.items():
                    control = main.find(id=IDS[name])
                    self.assertEqual(control.text, row[-1], name)
                    self.assertEqual(control.text_message, row[-1], name)
                program.kill()

    def test_texts_are_drawn_readably(self):
        for locale in LOCALES:
            with self.subTest(locale=locale):
                program, _ = self.start_program(locale)
                main = pf.wait_for_main_window(program)
                harness.activate(main.hwnd, pf.TIMEOUT)
                shot_path = harness.session().unique_path("locale-shot", ".png")
                work_path = harness.session().unique_path("locale-ocr", ".png")
                # Painted once the label texts show in their colours.
                label = main.find(id=IDS["透明标签3"])
                harness.wait_for(lambda: count_pixels(harness.screenshot(), label.rect, bluish) > 20,
                                 pf.TIMEOUT, "the link label's blue text to be painted")
                harness.screenshot().save_png(shot_path)
                expected_all, read_all = "", ""
                for control in main.walk():
                    if not control.text or control.class_name not in (
                            "Button", "QelvarinTransparentLabel"):
                        continue
                    is_label = control.class_name == "QelvarinTransparentLabel"
                    height = control.rect.height if is_label else GROUP_CAPTION_HEIGHT
                    # The text the window should show, not the one it says it has.
                    expected = EXPECTED_TEXTS[control.id]
                    read = ocr(shot_path, control.rect, height, work_path)
                    expected_all += expected
                    read_all += read
                    self.assertNotRegex(read, "[\u00a1-\u00ff]",
                                        f"mojibake in {expected!r}: {read!r}")
                    if is_label:
                        self.assertGreaterEqual(
                            found_share(expected, read), LABEL_SHARE,
                            f"{expected!r} reads as {read!r} (screenshot {shot_path})")
                share = found_share(expected_all, read_all)
                self.assertGreaterEqual(share, ALL_SHARE,
                                        f"OCR found {share:.2f} of the Chinese characters: "
                                        f"{read_all!r} (screenshot {shot_path})")
                program.kill()

    def test_check_for_update_finds_the_marker_and_the_program_goes_on(self):
        for locale in LOCALES:
            with self.subTest(locale=locale):
                self.server.reset()
                self.server.serve(RELEASE_PAGE_PATH, Response(body=RELEASE_PAGE))
                program, main = self.start_program(locale)
                label = main.find(id=IDS["透明标签3"])  # "检查更新"
                harness.click(*label.rect.center)
                box = self.assert_box(program, CURRENT_TEXT)
                harness.click(*box.find(id=IDOK).rect.center)
                harness.wait_for(lambda: not harness.windows(pid=program.windows_pid).top_level(
                    class_name="#32770"), pf.TIMEOUT, "the message box to close")
                self.assertTrue(program.running(), f"the program ended under {locale}")
                self.assertTrue(harness.windows(pid=program.windows_pid).find(
                    class_name=pf.MAIN_CLASS).visible)
                self.assertEqual(len(self.server.requests), 1)
                program.kill()

    def test_the_refusal_box_reads_back_as_unicode(self):
        for locale in LOCALES:
            with self.subTest(locale=locale):
                program, _ = self.start_program(locale, with_primary_save=False)
                box = self.assert_box(program, pf.REFUSAL_TEXT)
                harness.wait_for(lambda: harness.windows().foreground == box.hwnd, pf.TIMEOUT,
                                 "the box to be the foreground window")
                self.assert_box_text_readable(box, pf.REFUSAL_TEXT)
                harness.key("Return")
                self.assertEqual(program.wait(pf.TIMEOUT), 0)


if __name__ == "__main__":
    unittest.main()

"""Where a hotkey press meets the program in an unusual state: while a
message box of the program is open (the box's own modal loop serves the
press at once, the box stays), and with F9 held down (every auto-repeat of
the key runs another backup). Also the box that refuses a start outside a
save folder: the skin is already on by then, so its OK button is skinned."""

import os
import shutil
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from lib import harness  # noqa: E402
from lib.release_server import forum_port, loopback_program, port_is_free  # noqa: E402
import program_fixture as pf  # noqa: E402

IDOK = 1
# The skin's push button of scheme 2: its frame, and the top of the orange
# ring of a default button.
SKIN_FRAME = (55, 98, 6)
SKIN_RING_TOP = (255, 240, 207)


def contents(tag):
    return {name: f"{tag}:{name}:".encode() * 40 for name in pf.SAVE_FILES}


def setUpModule():
    harness.session()


def tearDownModule():
    harness.close()


def box_is_open(program, box):
    return any(window.hwnd == box.hwnd and window.visible
               for window in harness.windows(pid=program.windows_pid).top_level(class_name="#32770"))


class HotkeyWhileABoxIsOpenTest(unittest.TestCase):
    def test_f9_and_f10_run_at_once_while_the_version_check_s_box_is_open(self):
        port = forum_port()
        self.assertTrue(port_is_free(port), f"something listens on the forum port {port}")
        folder = pf.SaveFolder()
        self.addCleanup(folder.remove)
        # The loopback twin, whose forum is a closed port here: its check
        # fails at once and leaves its box open until it is dismissed.
        shutil.copyfile(loopback_program(), folder.exe)
        before = contents("before")
        folder.write_live(before)
        program, main = pf.start_program(folder)
        self.addCleanup(pf.kill_quietly, program)
        label = harness.windows(pid=program.windows_pid).find(text="检查更新")
        harness.click(*label.rect.center)
        box = pf.wait_for_box(program)

        harness.key("F9")
        pf.wait_for_files(folder.copies, before, "F9 to back up while the box is open")
        self.assertTrue(box_is_open(program, box), "the box closed on F9")
        changed = contents("changed")
        folder.write_live(changed)
        harness.key("F10")
        pf.wait_for_files(folder.live_files, before, "F10 to restore while the box is open")
        self.assertTrue(box_is_open(program, box), "the box closed on F10")

        harness.click(*box.find(id=IDOK).rect.center)
        self.assertEqual(program.wait(pf.TIMEOUT), 0)


def held_key_repeats():
    """Whether this X server and Wine repeat a held key: F8, held by
    hold_hotkey.exe, kept down until it logs a second press (or a few
    seconds have passed, far beyond the usual repeat delay)."""
    holder = pf.HotkeyHolder(pf.VK_F8)
    try:
        harness.key_down("F8")
        try:
            presses = harness.poll_until(lambda: len(holder.lines()) >= 2, 5)
        finally:
            harness.key_up("F8")
    finally:
        holder.process.kill()
    return bool(presses)


class HeldF9Test(unittest.TestCase):
    def test_every_auto_repeat_of_a_held_f9_backs_up_again(self):
        if not held_key_repeats():
            self.skipTest(f"the X server on {harness.session().display} does not repeat "
                          f"held keys")
        folder = pf.SaveFolder()
        self.addCleanup(folder.remove)
        folder.write_live(contents("start"))
        program, _ = pf.start_program(folder)
        self.addCleanup(pf.kill_quietly, program)

        harness.key_down("F9")
        try:
            # One key down: each new content can reach the copies only
            # through a backup that a later repeat of the key ran.
            for step in range(1, 4):
                files = contents(f"repeat {step}")
                folder.write_live(files)
                pf.wait_for_files(folder.copies, files,
                                  f"an auto-repeat of the held F9 to back up content {step}")
        finally:
            harness.key_up("F9")
        self.assertTrue(program.running())


class RefusalBoxTest(unittest.TestCase):
    def test_the_refusal_box_shows_a_skinned_ok_button(self):
        folder = pf.SaveFolder()
        self.addCleanup(folder.remove)
        program = harness.start_exe(folder.exe, timeout=pf.TIMEOUT)
        self.addCleanup(pf.kill_quietly, program)
        box = pf.wait_for_box(program)
        button = box.find(id=IDOK).rect

        def skinned():
            image = harness.screenshot()
            area = (button.left, button.top, button.right, button.bottom)
            return (image.count(SKIN_FRAME, *area) >= button.width,
                    image.count(SKIN_RING_TOP, *area) >= button.width // 2)

        harness.wait_for(lambda: skinned() == (True, True), pf.TIMEOUT,
                         "the refusal box's OK button to show the skin's frame and default ring")
        harness.key("Return")
        self.assertEqual(program.wait(pf.TIMEOUT), 0)


if __name__ == "__main__":
    unittest.main()

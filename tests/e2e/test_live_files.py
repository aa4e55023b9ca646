"""F9 and F10 on real save files that change between presses, as the game
writes them: each press copies what the files hold at that moment, whole,
over the earlier copy, and a file the game holds open without sharing is
passed over silently while the others are copied.

One program serves all the cases."""

import os
import random
import shutil
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from lib import harness  # noqa: E402
import program_fixture as pf  # noqa: E402

G, GB, S, SB = pf.SAVE_FILES
KIB = 1024


def setUpModule():
    harness.session()


def tearDownModule():
    harness.close()


class LiveFilesTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.random = random.Random(20240611)  # the same files on every run
        cls.folder = pf.SaveFolder()
        cls.folder.write_live({name: b"start" for name in pf.SAVE_FILES})
        try:
            cls.program, cls.main = pf.start_program(cls.folder)
        except BaseException:
            cls.folder.remove()
            raise

    @classmethod
    def tearDownClass(cls):
        pf.kill_quietly(cls.program)
        cls.folder.remove()

    def setUp(self):
        shutil.rmtree(self.folder.backup_folder, ignore_errors=True)

    def new_contents(self, names=pf.SAVE_FILES):
        """Fresh random files of 100 to 700 KiB, sizes rising and falling."""
        return {name: self.random.randbytes(self.random.randrange(100 * KIB, 700 * KIB))
                for name in names}

    def press(self, key, expected_live, expected_copies, what):
        harness.key(key)
        pf.wait_for_files(self.folder.copies, expected_copies, f"the copies after {what}")
        pf.wait_for_files(self.folder.live_files, expected_live, f"the live files after {what}")
        self.assertEqual(sorted(os.listdir(self.folder.backup_folder)),
                         sorted(name for name, data in expected_copies.items() if data),
                         "Savecopy holds other files")

    def assert_nothing_shown(self):
        mine = harness.windows(pid=self.program.windows_pid).top_level(visible=True)
        self.assertEqual([window.hwnd for window in mine], [self.main.hwnd],
                         "the program showed something")

    def test_each_f9_copies_the_files_as_they_are_at_that_press(self):
        copies = dict.fromkeys(pf.SAVE_FILES)
        for round_number in range(5):
            with self.subTest(round=round_number):
                live = self.new_contents()
                if round_number == 3:  # the game has removed one: its old copy stays
                    live[SB] = None
                self.folder.write_live(live)
                copies = {name: live[name] if live[name] is not None else copies[name]
                          for name in pf.SAVE_FILES}
                self.press("F9", live, copies, f"F9 of round {round_number}")

    def test_each_f10_restores_the_last_f9_whatever_the_files_became(self):
        snapshot = self.new_contents()
        self.folder.write_live(snapshot)
        self.press("F9", snapshot, snapshot, "F9")
        for round_number in range(3):
            with self.subTest(round=round_number):
                changed = self.new_contents()
                if round_number == 1:  # a live file gone: the copy brings it back
                    changed[GB] = None
                self.folder.write_live(changed)
                self.press("F10", snapshot, snapshot, f"F10 of round {round_number}")

    def test_a_file_held_without_sharing_is_passed_over_silently(self):
        first = self.new_contents()
        self.folder.write_live(first)
        self.press("F9", first, first, "the first F9")

        # The game holds one file open: F9 copies the other three.
        second = self.new_contents()
        self.folder.write_live(second)
        with self.hold(self.folder.live(GB)):
            self.press("F9", second, {**second, GB: first[GB]}, "F9 with a held live file")
            self.assert_nothing_shown()

        # A held live file keeps its content through F10; the others are restored.
        third = self.new_contents()
        self.folder.write_live(third)
        with self.hold(self.folder.live(S)):
            self.press("F10", {**second, GB: first[GB], S: third[S]},
                       {**second, GB: first[GB]}, "F10 with a held live file")
            self.assert_nothing_shown()

    def hold(self, path):
        test = self

        class Held:
            def __enter__(self):
                session = harness.session()
                ready, self.stop = session.unique_path("held-ready"), session.unique_path("stop")
                self.process = harness.start_tool("hold_file", harness.to_windows_path(path),
                                                  "--ready-file", harness.to_windows_path(ready),
                                                  "--stop-file",
                                                  harness.to_windows_path(self.stop))
                test.addCleanup(pf.kill_quietly, self.process)
                harness.wait_for_file(ready, pf.TIMEOUT, f"hold_file to open {path.name}", "1")
                return self

            def __exit__(self, *exception):
                self.stop.write_text("stop")
                self.process.wait(pf.TIMEOUT)

        return Held()


if __name__ == "__main__":
    unittest.main()

"""F9 and F10 on real save files that change between presses, as the game
writes them: each press copies what the files hold at that moment, whole,
over the earlier copy; a file the game holds open without sharing is
passed over silently while the others are copied; a file it holds sharing
reads and writes is copied both ways; a file written during its backup is
never copied torn; a system copy is kept; and no press leaves anything in
the save folder but the four saves and Savecopy.

One program serves all the cases."""

import os
import random
import shutil
import struct
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from lib import harness  # noqa: E402
import program_fixture as pf  # noqa: E402

G, GB, S, SB = pf.SAVE_FILES
KIB = 1024
MIB = 1024 * KIB
RECORD = 16  # what hold_file.exe --append-every adds each time


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
        self.assert_nothing_stray()

    def assert_nothing_stray(self):
        """Once the press is over (a staged copy is there while it runs),
        the save folder holds nothing but the saves, Savecopy and the exe."""
        allowed = {*pf.SAVE_FILES, pf.PROGRAM_NAME, pf.BACKUP_FOLDER}
        found = {}

        def clean():
            found["names"] = set(os.listdir(self.folder.path))
            return found["names"] <= allowed

        harness.poll_until(clean, pf.TIMEOUT)
        self.assertLessEqual(found["names"], allowed, "a press left a file in the save folder")

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

    def test_a_save_the_game_holds_sharing_reads_and_writes_is_copied_both_ways(self):
        first = self.new_contents()
        self.folder.write_live(first)
        with self.hold(self.folder.live(S), "--share", "rw", "--write"):
            self.press("F9", first, first, "F9 with a save held for writing")
            second = self.new_contents()
            self.folder.write_live(second)
            self.press("F10", first, first, "F10 onto a save held for writing")
            self.assert_nothing_shown()
        self.assertEqual(self.folder.live_files(), first)

    def test_a_save_written_during_a_large_backup_is_never_copied_torn(self):
        # A 64 MiB save that the game goes on appending to, with the number
        # of records in its first 8 bytes: a copy whose count and length
        # disagree was taken while the file was written.
        big = struct.pack("<Q", 0) + self.random.randbytes(64 * MIB - 8)
        start = {**self.new_contents(), G: big}
        self.folder.write_live(start)
        self.press("F9", start, start, "the first F9")
        with self.hold(self.folder.live(G), "--share", "rw", "--append-every", 5) as game:
            # The size alone: a read of the whole file races the appends.
            harness.wait_for(lambda: self.folder.live(G).stat().st_size > len(big),
                             pf.TIMEOUT, "the stand-in game to append to the save")
            copies = []
            for round_number in range(3):
                # The last entry marks the end of the press.
                marker = {SB: b"round %d" % round_number}
                self.folder.write_live(marker)
                harness.key("F9")
                pf.wait_for_files(lambda: {SB: read_or_none(self.folder.copy(SB))}, marker,
                                  f"F9 of round {round_number} to end")
                count = whole_appended_copy(self.folder.copy(G), big)
                self.assertIsNotNone(count, f"round {round_number}: the copy of {G} is torn")
                copies.append(count)
            game.stop_now()
        print(f"records in the copy after each F9 while appending: {copies}", file=sys.stderr)
        final = self.folder.live_files()
        self.assertIsNotNone(whole_appended_copy(self.folder.live(G), big))
        self.press("F9", final, final, "F9 once the game stopped writing")

    def test_a_system_copy_is_kept_by_f9_and_restored_by_f10(self):
        first = self.new_contents()
        self.folder.write_live(first)
        self.press("F9", first, first, "the first F9")
        copy = self.folder.copy(G)
        self.set_system_attribute(copy, "+s")
        # F10 gives the live save the copy's attribute; the next cases need it plain.
        self.addCleanup(self.set_system_attribute, self.folder.live(G), "-s")
        try:
            os.getxattr(copy, "user.DOSATTRIB")
        except OSError:
            self.skipTest("this file system keeps no DOS attributes for Wine")
        second = self.new_contents()
        self.folder.write_live(second)
        kept = {**second, G: first[G]}
        self.press("F9", second, kept, "F9 onto a system copy")
        self.press("F10", kept, kept, "F10 from a system copy")

    def set_system_attribute(self, path, change):
        status = harness.session().run_wine("cmd", "/c", "attrib", change,
                                            harness.to_windows_path(path))
        self.assertEqual(status, 0, f"attrib {change} {path.name} failed")

    def hold(self, path, *options):
        test = self

        class Held:
            def __enter__(self):
                session = harness.session()
                ready, self.stop = session.unique_path("held-ready"), session.unique_path("stop")
                self.process = harness.start_tool("hold_file", harness.to_windows_path(path),
                                                  *options,
                                                  "--ready-file", harness.to_windows_path(ready),
                                                  "--stop-file",
                                                  harness.to_windows_path(self.stop))
                test.addCleanup(pf.kill_quietly, self.process)
                harness.wait_for_file(ready, pf.TIMEOUT, f"hold_file to open {path.name}", "1")
                return self

            def stop_now(self):
                if self.process.running():
                    self.stop.write_text("stop")
                    status = self.process.wait(pf.TIMEOUT)
                    test.assertEqual(status, 0, f"hold_file ended with {status}")

            def __exit__(self, *exception):
                self.stop_now()

        return Held()


def read_or_none(path):
    try:
        return path.read_bytes()
    except FileNotFoundError:
        return None


def whole_appended_copy(path, base):
    """The number of records in a file that began as `base` and was then
    appended to by hold_file.exe; None when its count and its records
    disagree (a copy torn by a write during it)."""
    data = path.read_bytes()
    count = struct.unpack_from("<Q", data)[0]
    if len(data) != len(base) + RECORD * count or data[8:len(base)] != base[8:]:
        return None
    records = b"".join(b"rec%012d\n" % index for index in range(count))
    return count if data[len(base):] == records else None


if __name__ == "__main__":
    unittest.main()

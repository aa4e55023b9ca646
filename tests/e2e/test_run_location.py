"""Where the program agrees to run: only beside GameSave_Slot0.sav in the
folder of its own exe. A start anywhere else shows the box "运行位置不对！"
alone and ends with 0, leaving the folder and the keys as they were. Folder
and exe names whose GBK bytes hold 0x5C (the backslash) as a trail byte
work; so do folder names that the system's ANSI code page cannot hold
(Korean on a Chinese system, Chinese on a Western one), and run directories
beyond 260 characters, whose path is used whole, never cut short."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from lib import harness  # noqa: E402
import program_fixture as pf  # noqa: E402

MAX_PATH = 260
OTHER_SAVES = {name: name.encode() for name in pf.SAVE_FILES[1:]}


def setUpModule():
    harness.session()


def tearDownModule():
    harness.close()


class RunLocationTestCase(unittest.TestCase):
    def make_folder(self, folder_name="save", exe_name=pf.PROGRAM_NAME):
        folder = pf.SaveFolder(folder_name, exe_name)
        self.addCleanup(folder.remove)
        return folder

    def start(self, folder, args=(), cwd=None):
        """Starts the program; returns it once it is seen (or has ended)."""
        program = harness.start_exe(folder.exe, cwd=cwd, args=args, timeout=pf.TIMEOUT)
        self.addCleanup(pf.kill_quietly, program)
        return program

    def assert_refused(self, program, dismiss=("key", "Return")):
        """The box "运行位置不对！" stands alone; once dismissed the program
        has ended with 0 without taking F9 or F10."""
        self.assertIsNotNone(program.windows_pid,
                             f"the program ended before it was seen: {program.log_text()[-300:]}")
        box = pf.wait_for_box(program)
        report = harness.windows(pid=program.windows_pid)
        shown = [window for window in report.windows if window.visible]
        self.assertEqual([window.hwnd for window in shown], [box.hwnd],
                         f"more than the box is shown:\n{report.describe()}")
        self.assertEqual(box.text, pf.BOX_CAPTION)
        self.assertEqual(box.text_acp, pf.BOX_CAPTION.encode("gbk"))
        self.assertEqual(box.owner, 0, "the box has an owner window")
        buttons = box.find_all(class_name="Button")
        self.assertEqual(len(buttons), 1, [button.describe() for button in buttons])
        texts = [window for window in box.walk() if window.text_acp
                 and window.class_name == "Static"]
        self.assertEqual([window.text_acp for window in texts], [pf.REFUSAL_TEXT.encode("gbk")])
        self.assertEqual(pf.hotkeys_free(), (True, True), "keys taken while the box is open")

        harness.wait_for(lambda: harness.windows().foreground == box.hwnd, pf.TIMEOUT,
                         "the box to be the foreground window")
        how, what = dismiss
        if how == "key":
            harness.key(what)
        else:
            caption_middle = (box.rect.top + box.client_rect.top) // 2
            harness.click(box.client_rect.right - 8, caption_middle)
        self.assertEqual(program.wait(pf.TIMEOUT), 0)
        self.assertEqual(pf.hotkeys_free(), (True, True), "keys taken after the end")

    def assert_backup_and_restore_work(self, folder, program):
        """The main window shows; F9 copies all four saves into Savecopy in
        the exe's folder and F10 brings them back; the program closes with 0
        and has made no Savecopy anywhere else."""
        self.assertIsNotNone(program.windows_pid,
                             f"the program ended before it was seen: {program.log_text()[-300:]}")
        window = pf.wait_for_main_window(program)
        first = {name: f"{name} first".encode() * 50 for name in pf.SAVE_FILES}
        folder.write_live(first)
        harness.key("F9")
        pf.wait_for_files(folder.copies, first, f"F9 to fill {folder.backup_folder}")
        folder.write_live({name: b"later" for name in pf.SAVE_FILES})
        harness.key("F10")
        pf.wait_for_files(folder.live_files, first, "F10 to restore the saves")
        pf.post(window.hwnd, pf.WM_CLOSE, 0)
        self.assertEqual(program.wait(pf.TIMEOUT), 0)
        self.assertEqual(list(folder.root.rglob(pf.BACKUP_FOLDER)), [folder.backup_folder],
                         "Savecopy made outside the exe's folder")
        self.assertEqual(sorted(path.name for path in folder.path.iterdir()),
                         sorted([*pf.SAVE_FILES, pf.BACKUP_FOLDER, folder.exe.name]),
                         "a file was left in the save folder")

    def assert_accepted(self, folder, program):
        """The main window shows and F9 fills Savecopy in the exe's folder;
        the program then closes with 0."""
        self.assertIsNotNone(program.windows_pid,
                             f"the program ended before it was seen: {program.log_text()[-300:]}")
        window = pf.wait_for_main_window(program)
        live = folder.live_files()
        harness.key("F9")
        pf.wait_for_files(folder.copies, live, f"F9 to fill {folder.backup_folder}")
        pf.post(window.hwnd, pf.WM_CLOSE, 0)
        self.assertEqual(program.wait(pf.TIMEOUT), 0)

    def make_long_folder(self, length):
        """A save folder whose exe's Windows path is `length` bytes long,
        with a primary save in it and in every folder above it."""
        probe = pf.SaveFolder("probe")
        base = pf.windows_path_length(probe.root) + 1  # "Z:\...\qsh-e2e-save-xxx" and "\"
        probe.remove()
        names = []
        remaining = length - base - len(pf.PROGRAM_NAME)  # for folder names and their "\"
        while remaining > 0:
            size = min(remaining - 1, 100)
            if 0 < remaining - size - 1 < 2:  # keep the last name at least one letter long
                size -= 2
            names.append(chr(ord("a") + len(names)) * size)
            remaining -= size + 1
        folder = self.make_folder("/".join(names))
        self.assertEqual(pf.windows_path_length(folder.exe), length,
                         "the test built a path of the wrong length")
        level = folder.path
        while level != folder.root.parent:
            (level / pf.PRIMARY_SAVE).write_bytes(b"primary save")
            level = level.parent
        return folder


class RefusedStartTest(RunLocationTestCase):
    def test_without_the_primary_save_only_the_box_shows_and_the_end_is_clean(self):
        for way in (("key", "Return"), ("key", "Escape"), ("click", "the close button")):
            with self.subTest(dismissed_by=way[1]):
                folder = self.make_folder()
                folder.write_live(OTHER_SAVES)
                listing = folder.listing()
                program = self.start(folder)
                try:
                    self.assert_refused(program, way)
                finally:
                    pf.kill_quietly(program)
                self.assertFalse(folder.backup_folder.exists(), "Savecopy was made")
                self.assertEqual(folder.listing(), listing)
                self.assertEqual(folder.live_files(), {pf.PRIMARY_SAVE: None, **OTHER_SAVES})

    def test_a_primary_save_in_the_working_folder_or_arguments_does_not_count(self):
        folder = self.make_folder()
        elsewhere = self.make_folder("elsewhere")
        elsewhere.write_live({pf.PRIMARY_SAVE: b"elsewhere"})
        program = self.start(folder, cwd=elsewhere.path,
                             args=(harness.to_windows_path(elsewhere.path),
                                   harness.to_windows_path(elsewhere.live(pf.PRIMARY_SAVE))))
        self.assert_refused(program)
        self.assertFalse(folder.backup_folder.exists())
        self.assertFalse(elsewhere.backup_folder.exists())


class AcceptedStartTest(RunLocationTestCase):
    def test_long_run_directories_are_used_whole(self):
        # Every folder on the way down holds a primary save, so that a run
        # directory taken from a path cut at any length would pass the check
        # and make its Savecopy in the wrong place.
        cases = {"exe path of 259 bytes": MAX_PATH - 1, "exe path of 260 bytes": MAX_PATH,
                 "run directory of 225 characters": 225 + 1 + len(pf.PROGRAM_NAME),
                 "run directory of 300 characters": 300 + 1 + len(pf.PROGRAM_NAME)}
        for case, length in cases.items():
            with self.subTest(case):
                folder = self.make_long_folder(length)
                self.assertEqual(pf.windows_path_length(folder.exe), length)
                program = self.start(folder)
                try:
                    if program.windows_pid is None and program.wait(pf.TIMEOUT) != 0:
                        self.skipTest(f"Wine cannot start an exe from a path of {length} "
                                      f"bytes: {program.log_text()[-300:]}")
                    self.assert_backup_and_restore_work(folder, program)
                finally:
                    pf.kill_quietly(program)

    def test_folder_names_beyond_the_ansi_code_page_work(self):
        cases = [  # folder, the locale the program runs in (its ANSI code page)
            ("세이브 파일", "zh_CN.UTF-8"),          # Korean on a Chinese system (936)
            ("张伟/存档誠", "C.UTF-8"),              # Chinese on a Western system (1252)
        ]
        for folder_name, locale in cases:
            with self.subTest(folder=folder_name, locale=locale):
                folder = self.make_folder(folder_name)
                folder.write_live({pf.PRIMARY_SAVE: b"primary"})
                program = harness.start_exe(folder.exe, timeout=pf.TIMEOUT, locale=locale)
                try:
                    self.assert_backup_and_restore_work(folder, program)
                finally:
                    pf.kill_quietly(program)

    def test_the_primary_save_alone_in_any_form_is_enough(self):
        cases = {
            "only the primary save": lambda folder: folder.write_live({pf.PRIMARY_SAVE: b"x"}),
            "the name in other letter case":
                lambda folder: (folder.path / "gamesave_slot0.SAV").write_bytes(b"x"),
            "a read-only primary save": lambda folder: (
                folder.write_live({pf.PRIMARY_SAVE: b"x"}),
                os.chmod(folder.live(pf.PRIMARY_SAVE), 0o444)),
            "a folder of that name": lambda folder: folder.live(pf.PRIMARY_SAVE).mkdir(),
        }
        for case, prepare in cases.items():
            with self.subTest(case=case):
                folder = self.make_folder()
                prepare(folder)
                program = self.start(folder)
                try:
                    window = pf.wait_for_main_window(program)
                    self.assertEqual(pf.hotkeys_free(), (False, False))
                    pf.post(window.hwnd, pf.WM_CLOSE, 0)
                    self.assertEqual(program.wait(pf.TIMEOUT), 0)
                finally:
                    pf.kill_quietly(program)

    def test_the_exe_folder_counts_not_the_working_folder(self):
        folder = self.make_folder()
        folder.write_live({pf.PRIMARY_SAVE: b"primary", pf.SAVE_FILES[2]: b"settings"})
        elsewhere = self.make_folder("elsewhere")
        elsewhere_listing = elsewhere.listing()
        self.assert_accepted(folder, self.start(folder, cwd=elsewhere.path))
        self.assertEqual(elsewhere.listing(), elsewhere_listing)

    def test_names_with_0x5c_as_a_gbk_trail_byte_keep_their_folder_whole(self):
        cases = [  # folder, exe name; 誠 is D5 5C and 乗 is 81 5C in GBK
            ("存档誠", pf.PROGRAM_NAME),
            ("誠", pf.PROGRAM_NAME),
            ("乗存档", "辅助器誠.exe"),
        ]
        for folder_name, exe_name in cases:
            with self.subTest(folder=folder_name, exe=exe_name):
                self.assertIn(b"\x5c", folder_name.encode("gbk") + exe_name.encode("gbk"))
                folder = self.make_folder(folder_name, exe_name)
                folder.write_live({name: name.encode() * 100 for name in pf.SAVE_FILES})
                program = self.start(folder)
                try:
                    self.assert_accepted(folder, program)
                finally:
                    pf.kill_quietly(program)


if __name__ == "__main__":
    unittest.main()

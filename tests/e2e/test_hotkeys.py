"""F9 and F10 as system-wide hotkeys: real key presses while another
program has the focus, the hotkey ids behind them (proved by posting
WM_HOTKEY with each id to the main window), F9 held by another program at
start, a second copy in the same folder, and the end of the program, which
gives both keys back."""

import os
import shutil
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from lib import harness  # noqa: E402
import program_fixture as pf  # noqa: E402

G, GB, S, SB = pf.SAVE_FILES
WM_SYSCOMMAND, SC_MINIMIZE, SC_RESTORE = 0x0112, 0xF020, 0xF120
F8_LINE = f"WM_KEYDOWN {pf.VK_F8}"


def contents(tag):
    """Four distinct save files that tell which step wrote them."""
    return {name: f"{tag}:{name}:".encode() * (50 + index)
            for index, name in enumerate(pf.SAVE_FILES)}


def setUpModule():
    harness.session()


def tearDownModule():
    harness.close()


class ProgramTestCase(unittest.TestCase):
    """A save folder and the program started in it once for the class."""

    @classmethod
    def setUpClass(cls):
        cls.started = []
        cls.folder = pf.SaveFolder()
        cls.folder.write_live(contents("start"))
        try:
            cls.start_class_programs()
        except BaseException:
            cls.tearDownClass()
            raise

    @classmethod
    def start_class_programs(cls):
        cls.program, cls.main = cls.start(cls.folder)

    @classmethod
    def start(cls, folder, **options):
        program, window = pf.start_program(folder, **options)
        cls.started.append(program)
        return program, window

    @classmethod
    def tearDownClass(cls):
        for process in cls.started:
            pf.kill_quietly(process)
        cls.folder.remove()

    def reset_backup_folder(self, copies=None):
        shutil.rmtree(self.folder.backup_folder, ignore_errors=True)
        if copies is not None:
            self.folder.write_copies(copies)

    def assert_posted_ids_do(self, hwnd, ids, effect):
        """Posts WM_HOTKEY with each id to the window and checks, once the
        window has handled them, that together they did `effect`: "backup",
        "restore" or None. Files that exist only live show a backup, files
        that exist only as copies show a restore."""
        folder = self.folder
        live = {G: b"live G", GB: None, S: b"live S", SB: None}
        copies = {G: b"copy G", GB: None, S: None, SB: b"copy SB"}
        folder.write_live(live)
        self.reset_backup_folder({name: data for name, data in copies.items() if data})
        pf.post_hotkeys(hwnd, *ids)
        settle(hwnd)
        if effect == "backup":
            copies = {G: b"live G", GB: None, S: b"live S", SB: b"copy SB"}
        elif effect == "restore":
            live = {G: b"copy G", GB: None, S: b"live S", SB: b"copy SB"}
        self.assertEqual((folder.live_files(), folder.copies()), (live, copies),
                         f"ids {ids} did not do {effect or 'nothing'} (live files, copies)")


def settle(hwnd):
    """Returns once the window has handled every message posted to it so
    far: a minimise posted after them shows when they are done."""
    pf.post(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0)
    harness.wait_for(lambda: harness.windows(hwnd=hwnd).windows[0].iconic, pf.TIMEOUT,
                     f"window {hwnd} to be minimised after the posted messages")
    pf.post(hwnd, WM_SYSCOMMAND, SC_RESTORE, 0)
    harness.wait_for(lambda: not harness.windows(hwnd=hwnd).windows[0].iconic, pf.TIMEOUT,
                     f"window {hwnd} to be restored")


class NormalStartTest(ProgramTestCase):
    @classmethod
    def start_class_programs(cls):
        super().start_class_programs()
        cls.focus = pf.FocusWindow()
        cls.started.append(cls.focus.process)

    def setUp(self):
        self.focus.make_foreground()

    def press_with_marker(self, key):
        """Presses the key and then F8 at the focused window; returns once F8
        has arrived there, so that anything the key did reach it before."""
        before = self.focus.lines()
        harness.key(key, "F8")
        pf.wait_for_lines(self.focus.log, before + [F8_LINE],
                          f"only F8 of '{key} F8' at the focused window")

    def assert_not_activated(self):
        report = harness.windows()
        self.assertEqual(report.foreground, self.focus.hwnd, "the focus window lost the focus")
        mine = [window for window in report.windows
                if window.pid == self.program.windows_pid and window.visible]
        self.assertEqual([window.hwnd for window in mine], [self.main.hwnd],
                         "the program showed something")

    def test_f9_backs_up_and_f10_restores_while_another_window_has_the_focus(self):
        self.reset_backup_folder()
        first = contents("first")
        self.folder.write_live(first)
        self.press_with_marker("F9")
        pf.wait_for_files(self.folder.copies, first, "F9 to fill Savecopy")
        self.assert_not_activated()

        self.folder.write_live(contents("changed"))
        self.press_with_marker("F10")
        pf.wait_for_files(self.folder.live_files, first, "F10 to restore the files of F9")
        self.assertEqual(self.folder.copies(), first, "the restore changed the copies")
        self.assert_not_activated()

        # The same snapshot restores again.
        self.folder.write_live({G: b"again", GB: None, S: b"again", SB: None})
        self.press_with_marker("F10")
        pf.wait_for_files(self.folder.live_files, first, "a second F10 to restore again")

    def test_posted_ids_33001_backs_up_33002_restores_and_others_do_nothing(self):
        for ids, effect in (([pf.BACKUP_ID], "backup"), ([pf.RESTORE_ID], "restore"),
                            ([33003, 0, 33000, 33004, 0xFFFFFFFF], None)):
            with self.subTest(ids=ids):
                self.assert_posted_ids_do(self.main.hwnd, ids, effect)

    def test_f9_and_f10_with_modifier_keys_reach_the_focused_window(self):
        copies = contents("copy")
        self.reset_backup_folder(copies)
        live = contents("live")
        self.folder.write_live(live)
        for combination in ("ctrl+F9", "shift+F9", "alt+F9", "ctrl+F10", "shift+F10", "alt+F10"):
            with self.subTest(keys=combination):
                vk = pf.VK_F9 if combination.endswith("F9") else pf.VK_F10
                before = self.focus.lines()
                harness.key(combination, "F8")
                harness.wait_for(lambda: len(self.focus.lines()) > len(before)
                                 and self.focus.lines()[-1] == F8_LINE,
                                 pf.TIMEOUT, f"F8 after {combination} at the focused window")
                arrived = self.focus.lines()[len(before):]
                self.assertTrue(any(line.endswith(f"KEYDOWN {vk}") for line in arrived),
                                f"{combination} did not reach the focused window: {arrived}")
        self.assertEqual(self.folder.copies(), copies)
        self.assertEqual(self.folder.live_files(), live)

    def test_f9_works_while_the_window_is_minimised(self):
        self.reset_backup_folder()
        pf.post(self.main.hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0)
        try:
            harness.wait_for(lambda: harness.windows(hwnd=self.main.hwnd).windows[0].iconic,
                             pf.TIMEOUT, "the main window to be minimised")
            self.focus.make_foreground()
            files = contents("minimised")
            self.folder.write_live(files)
            self.press_with_marker("F9")
            pf.wait_for_files(self.folder.copies, files, "F9 to fill Savecopy")
        finally:
            pf.post(self.main.hwnd, WM_SYSCOMMAND, SC_RESTORE, 0)
        harness.wait_for(lambda: not harness.windows(hwnd=self.main.hwnd).windows[0].iconic,
                         pf.TIMEOUT, "the main window to be restored")


class F9HeldByAnotherProgramTest(ProgramTestCase):
    @classmethod
    def start_class_programs(cls):
        cls.holder = pf.HotkeyHolder(pf.VK_F9)
        cls.started.append(cls.holder.process)
        super().start_class_programs()

    def test_f9_stays_with_its_holder_and_f10_restores(self):
        copies = contents("copy")
        self.reset_backup_folder(copies)
        self.folder.write_live(contents("live"))
        presses = len(self.holder.lines())
        harness.key("F9")
        harness.wait_for(lambda: len(self.holder.lines()) == presses + 1, pf.TIMEOUT,
                         "F9 at the program that holds it")
        self.assertEqual(self.holder.lines()[-1], f"WM_HOTKEY {pf.VK_F9}")
        harness.key("F10")
        pf.wait_for_files(self.folder.live_files, copies, "F10 to restore")
        self.assertEqual(self.folder.copies(), copies, "F9 backed up after all")
        self.assertEqual(len(self.holder.lines()), presses + 1)

    def test_id_33001_does_nothing_and_33002_restores(self):
        for ids, effect in (([pf.BACKUP_ID], None), ([0], None), ([33003], None),
                            ([pf.RESTORE_ID], "restore")):
            with self.subTest(ids=ids):
                self.assert_posted_ids_do(self.main.hwnd, ids, effect)


class SecondCopyTest(ProgramTestCase):
    def test_second_copy_shows_its_window_and_the_first_serves_both_keys(self):
        second, second_main = self.start(self.folder)
        self.assertNotEqual(second.windows_pid, self.program.windows_pid)
        self.assertEqual(second_main.text, pf.CAPTION)
        self.assertEqual(second_main.size, self.main.size)
        self.assertEqual(pf.hotkeys_free(), (False, False))

        # The first copy answers both keys.
        self.reset_backup_folder()
        first = contents("first")
        self.folder.write_live(first)
        harness.key("F9")
        pf.wait_for_files(self.folder.copies, first, "F9 to fill Savecopy")
        self.folder.write_live(contents("changed"))
        harness.key("F10")
        pf.wait_for_files(self.folder.live_files, first, "F10 to restore")

        # The second copy's ids are both 0: neither 33001 nor 33002 does anything.
        self.assert_posted_ids_do(second_main.hwnd, [pf.BACKUP_ID, pf.RESTORE_ID, 0, 33003], None)

        # With the first copy gone the keys are free: the second never took them.
        self.program.kill()
        harness.wait_for(lambda: pf.hotkeys_free() == (True, True), pf.TIMEOUT,
                         "F9 and F10 to be free with only the second copy running")
        focus = pf.FocusWindow()
        self.started.append(focus.process)
        harness.key("F9", "F10", "F8")
        pf.wait_for_lines(focus.log, [f"WM_KEYDOWN {pf.VK_F9}", f"WM_SYSKEYDOWN {pf.VK_F10}",
                                      F8_LINE], "F9, F10 and F8 at the focused window")

        # Nor do they once the keys are free.
        self.assert_posted_ids_do(second_main.hwnd, [pf.BACKUP_ID, pf.RESTORE_ID], None)
        pf.post(second_main.hwnd, pf.WM_CLOSE, 0)
        self.assertEqual(second.wait(pf.TIMEOUT), 0)


class EndTest(unittest.TestCase):
    """Each case starts its own program."""

    def setUp(self):
        self.folder = pf.SaveFolder()
        self.addCleanup(self.folder.remove)
        self.folder.write_live(contents("start"))

    def start(self, **options):
        program, window = pf.start_program(self.folder, **options)
        self.addCleanup(pf.kill_quietly, program)
        return program, window

    def test_closing_the_window_ends_with_0_and_frees_both_keys(self):
        def alt_f4(window):
            harness.activate(window.hwnd, pf.TIMEOUT)
            harness.key("alt+F4")

        def close_box(window):
            caption_middle = (window.rect.top + window.client_rect.top) // 2
            harness.click(window.client_rect.right - 8, caption_middle)

        for way, close in (("Alt+F4", alt_f4), ("the close box", close_box)):
            with self.subTest(way=way):
                program, window = self.start()
                self.assertEqual(pf.hotkeys_free(), (False, False))
                close(window)
                self.assertEqual(program.wait(pf.TIMEOUT), 0)
                self.assertEqual(pf.hotkeys_free(), (True, True))

    def test_command_line_arguments_change_nothing(self):
        elsewhere = pf.SaveFolder("elsewhere")
        self.addCleanup(elsewhere.remove)
        elsewhere.write_live(contents("elsewhere"))
        arguments = ("/?", "--help", harness.to_windows_path(elsewhere.path),
                     harness.to_windows_path(elsewhere.live(G)), "F9", "存档")
        program, window = self.start(args=arguments, cwd=elsewhere.path)
        self.assertEqual(window.text, pf.CAPTION)
        self.assertEqual(window.size, (602, 484))
        self.assertEqual(pf.hotkeys_free(), (False, False))
        files = contents("args")
        self.folder.write_live(files)
        harness.key("F9")
        pf.wait_for_files(self.folder.copies, files, "F9 to back up the exe's folder")
        self.assertFalse(elsewhere.backup_folder.exists(), "F9 backed up the folder of an argument")
        pf.post(window.hwnd, pf.WM_CLOSE, 0)
        self.assertEqual(program.wait(pf.TIMEOUT), 0)


if __name__ == "__main__":
    unittest.main()

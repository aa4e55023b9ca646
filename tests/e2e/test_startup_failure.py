"""The main window cannot be created: the program says so in a box that
stays until the user dismisses it, and then ends with -1 (status 255).
Creation is made to fail from outside, by refuse_windows.exe's system-wide
hook, in two places: the main window itself, and 编辑框1, the last of its
controls (the window then exists and is taken down again, which must not
end a message loop that has not yet started)."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from lib import harness  # noqa: E402
import program_fixture as pf  # noqa: E402

FATAL_TEXT = "程序窗口无法创建，程序将退出。"
EXIT_WINDOW_NOT_CREATED = 255  # ExitProcess(-1) as a Unix status


def setUpModule():
    harness.session()


def tearDownModule():
    harness.close()


class StartupFailureTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        session = harness.session()
        ready = session.unique_path("refuse-ready")
        cls.hook = harness.start_tool("refuse_windows", "--ready-file",
                                      harness.to_windows_path(ready))
        harness.wait_for_file(ready, pf.TIMEOUT, "refuse_windows to install its hook", "1")

    @classmethod
    def tearDownClass(cls):
        pf.kill_quietly(cls.hook)

    def start_refused(self, window_class):
        folder = pf.SaveFolder()
        self.addCleanup(folder.remove)
        folder.write_live({pf.PRIMARY_SAVE: b"primary"})
        env = harness.session().env
        env["QSH_REFUSE_WINDOW_CLASS"] = window_class
        try:
            program = harness.start_exe(folder.exe, timeout=pf.TIMEOUT)
        finally:
            del env["QSH_REFUSE_WINDOW_CLASS"]
        self.addCleanup(pf.kill_quietly, program)
        return program

    def test_the_fatal_box_stays_until_dismissed_and_the_exit_code_is_minus_1(self):
        for refused in (pf.MAIN_CLASS, "Edit"):
            with self.subTest(refused=refused):
                program = self.start_refused(refused)
                self.assertIsNotNone(program.windows_pid,
                                     f"ended at once: {program.log_text()[-300:]}")
                box = pf.wait_for_box(program)
                texts = [window.text_acp for window in box.walk()
                         if window.class_name == "Static" and window.text_acp]
                self.assertEqual(texts, [FATAL_TEXT.encode("gbk")])
                self.assertEqual(box.text_acp, pf.BOX_CAPTION.encode("gbk"))
                # Still there once it has been seen and the program has had
                # every chance to close it: the foreground reaches it.
                harness.wait_for(lambda: harness.windows().foreground == box.hwnd, pf.TIMEOUT,
                                 "the fatal box to be the foreground window")
                report = harness.windows(pid=program.windows_pid)
                self.assertEqual([window.hwnd for window in report.windows if window.visible],
                                 [box.hwnd], f"not the box alone:\n{report.describe()}")
                self.assertTrue(program.running(), "the program ended with its box")
                harness.key("Return")
                self.assertEqual(program.wait(pf.TIMEOUT), EXIT_WINDOW_NOT_CREATED)


if __name__ == "__main__":
    unittest.main()

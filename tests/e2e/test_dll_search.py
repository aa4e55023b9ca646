"""No DLL from the save folder. The save folder is writable by anyone who
can drop a file into it, and the program lives there. A planted
uxtheme.dll (a DLL that user32 loads by name once the first window is
made, long after start-up, and that Windows does not keep among its known
DLLs) is picked up from the folder by an ordinary program, but never by
this one: it restricts the DLL search to the system folder first thing.

Wine on its own prefers its built-in DLLs; the tests let a DLL beside the
program win (WINEDLLOVERRIDES uxtheme=n,b), as Windows itself would."""

import os
import shutil
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from lib import harness, paths  # noqa: E402
from lib.release_server import loopback_program  # noqa: E402
import program_fixture as pf  # noqa: E402

PLANTED = "uxtheme.dll"
MARKER = PLANTED + ".loaded"  # what the planted DLL leaves when it is loaded


def setUpModule():
    harness.session()


def tearDownModule():
    harness.close()


def planted_dll():
    path = paths.tools_dir() / "planted" / PLANTED
    if not path.is_file():
        raise AssertionError(f"{path} is missing: build the Windows tree (target "
                             f"qsh_planted_uxtheme)")
    return path


class PlantedDllTest(unittest.TestCase):
    def setUp(self):
        self.folder = pf.SaveFolder()
        self.addCleanup(self.folder.remove)
        # The loopback twin: the version check then talks to a closed port
        # on 127.0.0.1 and loads WinINet without leaving the machine.
        shutil.copyfile(loopback_program(), self.folder.exe)
        self.folder.write_live({pf.PRIMARY_SAVE: b"primary"})
        shutil.copyfile(planted_dll(), self.folder.path / PLANTED)
        self.marker = self.folder.path / MARKER
        env = harness.session().env
        saved = env.get("WINEDLLOVERRIDES")
        env["WINEDLLOVERRIDES"] = f"{saved or ''};uxtheme=n,b"
        self.addCleanup(env.__setitem__, "WINEDLLOVERRIDES", saved or "")

    def test_an_ordinary_program_in_the_folder_loads_the_planted_dll(self):
        # The control: without it, a pass below could just mean that nothing
        # in this environment ever picks up a DLL beside the executable.
        probe = self.folder.path / "focus_window.exe"
        shutil.copyfile(paths.tool("focus_window"), probe)
        ready = harness.session().unique_path("probe-ready")
        process = harness.start_exe(probe, args=(harness.to_windows_path(self.folder.path / "keys"),
                                                 "--ready-file", harness.to_windows_path(ready)))
        self.addCleanup(pf.kill_quietly, process)
        harness.wait_for_file(ready, pf.TIMEOUT, "the probe window to be shown", "1")
        harness.wait_for(self.marker.exists, pf.TIMEOUT,
                         f"the planted {PLANTED} to be loaded by a window program beside it")

    def test_the_program_never_loads_a_dll_from_its_folder(self):
        program, main = pf.start_program(self.folder)
        self.addCleanup(pf.kill_quietly, program)
        # Besides the window: a backup, WinINet behind the version check,
        # and a message box.
        harness.key("F9")
        pf.wait_for_files(self.folder.copies, self.folder.live_files(), "F9 to back up")
        label = harness.windows(pid=program.windows_pid).find(text="检查更新")
        harness.click(*label.rect.center)
        box = pf.wait_for_box(program)
        self.assertFalse(self.marker.exists(), f"the program loaded the planted {PLANTED}")
        harness.click(*box.find(id=1).rect.center)
        self.assertEqual(program.wait(pf.TIMEOUT), 0)
        self.assertFalse(self.marker.exists(), f"the program loaded the planted {PLANTED}")


if __name__ == "__main__":
    unittest.main()

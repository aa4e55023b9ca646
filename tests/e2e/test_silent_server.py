"""A forum that accepts the connection and never answers: the program does
not stay frozen for ever. It gives up after WinINet's receive time-out,
set to Windows' own 30 s also where WinINet's default would be to wait
without end (Wine), shows "该版本已失效，或网络条件不好！" and ends with 0
once the box is closed."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from lib import harness  # noqa: E402
from lib.release_server import RELEASE_PAGE_PATH, Response  # noqa: E402
import program_fixture as pf  # noqa: E402
import test_version_check as vc  # noqa: E402

# The server holds the connection far longer than any time-out of the
# program: a box that shows while it still holds was the program's doing.
SERVER_HOLDS = 300
# The receive time-out plus a wide margin for a loaded machine.
WAIT_FOR_THE_BOX = 150


def setUpModule():
    harness.session()


def tearDownModule():
    harness.close()


class SilentServerTest(vc.VersionCheckTestCase):
    def test_the_check_gives_up_on_a_silent_server_and_ends_the_program(self):
        self.server.serve(RELEASE_PAGE_PATH, Response(silent_for=SERVER_HOLDS))
        _, program, _ = self.start_program()
        try:
            self.press_check(program)
            pressed = time.monotonic()
            harness.wait_for_window(WAIT_FOR_THE_BOX,
                                    f"the failure message while the server stays silent "
                                    f"({WAIT_FOR_THE_BOX} s after the press)",
                                    pid=program.windows_pid, class_name="#32770", visible=True)
            took = time.monotonic() - pressed
            self.assertLess(took, SERVER_HOLDS, "the server hung up first")
            print(f"\nsilent server: the failure message showed {took:.1f} s after the press",
                  file=sys.stderr)
            box, text = self.read_box(program)
            self.assert_says(text, vc.OUTDATED_TEXT)
            self.assertEqual(len(self.server.requests), 1)
            self.assert_plain_get(self.server.requests[0])
            harness.click(*box.find(id=vc.IDOK).rect.center)
            self.assertEqual(program.wait(pf.TIMEOUT), 0)
        finally:
            pf.kill_quietly(program)


if __name__ == "__main__":
    unittest.main()

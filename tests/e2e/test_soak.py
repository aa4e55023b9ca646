"""One run of the program serving 500 alternating F9 and F10 presses, the
live files rewritten before every press and all eight files checked after
it, without the process growing.

Every file gets a new generation and a new size before each press, so each
press must replace all four targets. Growth is measured from press 100 (the
program warmed up) to press 500 with what Wine lets another process see:
the Unix process's memory (VmRSS, VmData), its open file descriptors and
the wineserver's (each Windows file handle holds one), and the program's
windows. GDI object counts are not observable from outside under Wine 8
(GetGuiResources gives nothing, and the GDI handle table lives inside the
process), so GDI objects show only through the process's memory. At the end
every file is opened without sharing, which fails while the program still
has a handle to it."""

import os
import struct
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import program_fixture  # noqa: E402
from lib import harness, wine_env  # noqa: E402
from lib.waiting import wait_for  # noqa: E402

SAVE_FILES = ("GameSave_Slot0.sav", "GameSave_Slot0_Backup.sav", "Settings.sav",
              "Settings_Backup.sav")
BACKUP_FOLDER = "Savecopy"
VK_F9, VK_F10 = 120, 121

PRESSES = 500
BASELINE_PRESS = 100
SAMPLE_EVERY = 100
RECORD = struct.Struct("<4sHH")  # magic, file index, generation
MAGIC = b"QSHs"
# Sizes a file takes in turn, from one record to a quarter of a megabyte,
# most of them cutting the last record short.
SIZES = (8, 13, 4_099, 65_541, 250_003)

# The process stays flat to the page when nothing leaks; the bound still
# catches a leak of 700 bytes a press over the 400 presses measured.
MEMORY_GROWTH_BOUND = 256 << 10
# Descriptors, the program's own and the wineserver's (which the session's
# other Wine programs move by about ten); one handle leaked a press adds 400.
DESCRIPTOR_GROWTH_BOUNDS = {"descriptors": 2, "wineserver descriptors": 32}
# A press that has just put its last copy in place may still be closing its
# source: descriptors are counted as the lowest seen over a short while.
SETTLE_TIME = 0.25

TIMEOUT = 30
POLL = 0.001


def content(index, generation):
    size = SIZES[(index + generation) % len(SIZES)]
    record = RECORD.pack(MAGIC, index, generation)
    return (record * (size // RECORD.size + 1))[:size]


def read_files(folder):
    files = []
    for name in SAVE_FILES:
        try:
            files.append((folder / name).read_bytes())
        except FileNotFoundError:
            files.append(None)
    return files


def describe(files):
    described = []
    for data in files:
        if data is None or len(data) < RECORD.size:
            described.append(repr(data))
        else:
            _, index, generation = RECORD.unpack_from(data)
            described.append(f"entry {index} generation {generation}, {len(data)} bytes")
    return described


def descriptor_count(unix_pids):
    return sum(len(os.listdir(f"/proc/{pid}/fd")) for pid in unix_pids)


def settled_descriptor_count(unix_pids):
    lowest = descriptor_count(unix_pids)
    deadline = time.monotonic() + SETTLE_TIME
    while time.monotonic() < deadline:
        time.sleep(0.01)
        lowest = min(lowest, descriptor_count(unix_pids))
    return lowest


class SoakTest(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.session = harness.session()
        save = program_fixture.SaveFolder()
        cls.addClassCleanup(save.remove)
        cls.folder = save.path
        cls.copies_folder = cls.folder / BACKUP_FOLDER
        cls.exe = save.exe
        cls.program = None
        cls.addClassCleanup(lambda: program_fixture.kill_quietly(cls.program))
        focus = program_fixture.FocusWindow()
        cls.focus, cls.focus_log, cls.focus_hwnd = focus.process, focus.log, focus.hwnd
        cls.addClassCleanup(program_fixture.kill_quietly, cls.focus)

    def log(self, text):
        print(text, file=sys.stderr, flush=True)

    def write_live(self, generation):
        live = [content(index, generation) for index in range(len(SAVE_FILES))]
        for name, data in zip(SAVE_FILES, live):
            (self.folder / name).write_bytes(data)
        return live

    def start_program(self):
        program = harness.start_exe(self.exe, timeout=TIMEOUT)
        type(self).program = program
        program_fixture.wait_until_serving_keys(program, self.focus_hwnd, TIMEOUT)

    def press_and_wait(self, key, folder, expected, what):
        harness.key(key)
        last = {}

        def arrived():
            last["files"] = read_files(folder)
            return last["files"] == expected

        try:
            wait_for(arrived, TIMEOUT, what, interval=POLL)
        except AssertionError:
            raise AssertionError(f"timed out waiting for {what}: expected {describe(expected)}, "
                                 f"found {describe(last.get('files', []))}") from None

    def measure(self):
        """The figures that must not grow, taken while nothing else of the
        test runs in Wine."""
        memory = self.program.unix_memory()
        servers = wine_env.wineserver_pids(self.session.env["WINEPREFIX"])
        figures = {
            "VmRSS": memory["VmRSS"],
            "VmData": memory["VmData"],
            "descriptors": settled_descriptor_count([self.program.unix_pid]),
            "wineserver descriptors": settled_descriptor_count(servers),
        }
        figures["windows"] = len(list(harness.windows(pid=self.program.windows_pid).walk()))
        return figures

    def file_is_free(self, path):
        """Whether another program can open the file with no sharing at all."""
        ready = self.session.unique_path("hold-ready")
        holder = harness.start_tool("hold_file", harness.to_windows_path(path), "--ready-file",
                                    harness.to_windows_path(ready))
        try:
            answer = harness.wait_for_file(ready, TIMEOUT, f"hold_file to try {path}")
        finally:
            holder.kill()
        return answer == b"1"

    def test_500_alternating_presses_keep_every_file_and_the_process_flat(self):
        started = time.monotonic()
        generation = 1
        self.write_live(generation)  # the program starts only in a save folder
        self.start_program()
        copies = None
        samples = {}
        for press in range(1, PRESSES + 1):
            generation += 1
            live = self.write_live(generation)
            if press % 2:
                self.press_and_wait("F9", self.copies_folder, live,
                                    f"press {press} (F9) to copy generation {generation}")
                copies = live
                self.assertEqual(read_files(self.folder), live,
                                 f"press {press} (F9) changed the live files")
            else:
                self.press_and_wait("F10", self.folder, copies,
                                    f"press {press} (F10) to restore generation {generation - 1}")
                self.assertEqual(read_files(self.copies_folder), copies,
                                 f"press {press} (F10) changed the copies")
            if press % SAMPLE_EVERY == 0:
                samples[press] = self.measure()
                self.log(f"press {press}: {samples[press]}, {time.monotonic() - started:.1f} s")
        pressing = time.monotonic() - started

        self.assertEqual([line for line in (self.focus_log.read_text().splitlines()
                                            if self.focus_log.exists() else [])
                          if line.split()[-1] in (str(VK_F9), str(VK_F10))], [],
                         "F9 or F10 reached the focused window instead of the program")
        self.assertEqual(harness.windows().foreground, self.focus_hwnd,
                         "the focused window lost the focus during the presses")
        first, last = samples[BASELINE_PRESS], samples[PRESSES]
        for figure in ("VmRSS", "VmData"):
            self.assertLessEqual(last[figure] - first[figure], MEMORY_GROWTH_BOUND,
                                 f"{figure} grew from press {BASELINE_PRESS} to {PRESSES}: "
                                 f"{samples}")
        for figure, bound in DESCRIPTOR_GROWTH_BOUNDS.items():
            self.assertLessEqual(last[figure] - first[figure], bound,
                                 f"{figure} grew from press {BASELINE_PRESS} to {PRESSES}: "
                                 f"{samples}")
        self.assertEqual(last["windows"], first["windows"], f"windows came or went: {samples}")
        held = [str(path) for folder in (self.folder, self.copies_folder)
                for path in (folder / name for name in SAVE_FILES) if not self.file_is_free(path)]
        self.assertEqual(held, [], "files still open in the program after the presses")
        self.log(f"{PRESSES} presses in {pressing:.1f} s "
                 f"({pressing / PRESSES * 1000:.0f} ms each, with the checks)")


if __name__ == "__main__":
    unittest.main()

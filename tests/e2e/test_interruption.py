"""The program killed at random moments while F9 and F10 copy a 64 MiB save
set: every copy in Savecopy and every live file is always wholly its old or
its new content, at full length, never a mix and never cut short.

Each of the four save files is 16 MiB of one repeated 8-byte record holding
the file's index and a generation number, so a file that is cut short, mixed
from two generations or taken from another entry is told from a whole one.
The live files get a fresh generation before every press.

A cycle is: F9 killed part-way, F10 killed part-way (the program is started
again after each kill), then F9 and F10 left to finish (F10 first in every
other cycle). The kill delay is
drawn from a seeded generator (QSH_E2E_SEED overrides the seed) up to the
time of the fastest of the last uninterrupted presses of that direction, so
that most kills land while a file is being copied; it counts from the end of
the xdotool call, by which time the press has already begun. After a kill a
"<name>.qsh-staging" file may be left beside a target; the next finished
press of either direction must have removed it, from the save folder and
from Savecopy alike, so that a kill during F10 followed by F9 or by another
F10 leaves nothing in the save folder but the saves, Savecopy and the exe.

The keys are pressed with xdotool while focus_window.exe, the game's
stand-in, has the focus."""

import os
import random
import statistics
import struct
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import program_fixture  # noqa: E402
from lib import harness  # noqa: E402
from lib.waiting import wait_for  # noqa: E402

SAVE_FILES = ("GameSave_Slot0.sav", "GameSave_Slot0_Backup.sav", "Settings.sav",
              "Settings_Backup.sav")
BACKUP_FOLDER = "Savecopy"
STAGING_SUFFIX = ".qsh-staging"
VK_F9 = 120

FILE_SIZE = 16 << 20
RECORD = struct.Struct("<4sHH")  # magic, file index, generation
MAGIC = b"QSHg"

CYCLES = 15  # two kills each
DEFAULT_SEED = 612024
TIMEOUT = 30  # for anything the program or Wine should do at once
PRESS_TIMEOUT = 60  # one uninterrupted press of 64 MiB, with room for a busy machine
POLL = 0.002


def content(index, generation):
    return RECORD.pack(MAGIC, index, generation) * (FILE_SIZE // RECORD.size)


def first_difference(data, expected):
    step = 1 << 16
    for start in range(0, min(len(data), len(expected)), step):
        if data[start:start + step] != expected[start:start + step]:
            for offset in range(start, start + step):
                if data[offset] != expected[offset]:
                    return offset
    return min(len(data), len(expected))


def generation_of(path, index):
    """The generation the whole file holds; None when it is missing.
    AssertionError when it is not one whole generation of this entry."""
    try:
        data = path.read_bytes()
    except FileNotFoundError:
        return None
    if len(data) < RECORD.size:
        raise AssertionError(f"{path}: only {len(data)} bytes")
    magic, found_index, generation = RECORD.unpack_from(data)
    if magic != MAGIC or found_index != index:
        raise AssertionError(f"{path}: starts with {data[:8]!r}, not a record of entry {index}")
    expected = content(index, generation)
    if data != expected:
        offset = first_difference(data, expected)
        raise AssertionError(f"{path}: {len(data)} bytes (whole is {FILE_SIZE}); generation "
                             f"{generation} only up to offset {offset}, then "
                             f"{data[offset:offset + 8]!r}")
    return generation


def staging_files(folder):
    return sorted(path.name for path in folder.glob("*" + STAGING_SUFFIX))


def signature(path):
    try:
        status = path.stat()
    except FileNotFoundError:
        return None
    return (status.st_ino, status.st_size, status.st_mtime_ns)


class TargetsWait:
    """Waits for each target to hold its expected generation, reading a file
    again only when its inode, size or time has changed."""

    def __init__(self, targets, expected):
        self.targets = targets
        self.expected = expected
        self.signatures = [signature(path) for path in targets]
        self.seen = ["unchanged"] * len(targets)  # generation, or what was wrong
        self.arrived = [False] * len(targets)
        self.changed_at = [None] * len(targets)  # when the final content was first seen

    def all_arrived(self):
        for index, path in enumerate(self.targets):
            if self.arrived[index]:
                continue
            now = signature(path)
            if now == self.signatures[index]:
                continue
            self.signatures[index] = now
            changed_at = time.monotonic()
            try:
                self.seen[index] = generation_of(path, index)
            except AssertionError as wrong:  # a copy under way may be seen part-written
                self.seen[index] = str(wrong)
                self.signatures[index] = None
                continue
            self.arrived[index] = self.seen[index] == self.expected[index]
            self.changed_at[index] = changed_at
        return all(self.arrived)


class Direction:
    """One of the two presses: which key, and where its sources and targets
    lie in the save folder."""

    def __init__(self, key, source_folder, target_folder):
        self.name = self.key = key
        self.source_folder = source_folder
        self.target_folder = target_folder

    def sources(self):
        return [self.source_folder / name for name in SAVE_FILES]

    def targets(self):
        return [self.target_folder / name for name in SAVE_FILES]


class InterruptionTest(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.session = harness.session()
        save = program_fixture.SaveFolder()
        cls.addClassCleanup(save.remove)
        cls.folder = save.path
        cls.exe = save.exe
        cls.backup = Direction("F9", cls.folder, cls.folder / BACKUP_FOLDER)
        cls.restore = Direction("F10", cls.folder / BACKUP_FOLDER, cls.folder)
        cls.program = None
        cls.addClassCleanup(lambda: program_fixture.kill_quietly(cls.program))
        focus = program_fixture.FocusWindow()
        cls.focus, cls.focus_log, cls.focus_hwnd = focus.process, focus.log, focus.hwnd
        cls.addClassCleanup(program_fixture.kill_quietly, cls.focus)

    # --- the program -----------------------------------------------------

    def start_program(self):
        """Starts the program once the last one's hotkeys are free, proves
        that it holds both keys, and gives the focus back to the stand-in."""
        # Both keys go with the killed program's thread at once; probing one
        # is enough, and the check after the start covers both.
        wait_for(lambda: harness.hotkey_free(VK_F9), TIMEOUT,
                 "F9 to be free after the program was killed")
        program = harness.start_exe(self.exe, timeout=TIMEOUT)
        type(self).program = program
        program_fixture.wait_until_serving_keys(program, self.focus_hwnd, TIMEOUT)

    # --- the files -------------------------------------------------------

    def write_live_generation(self):
        self.generation += 1
        for index, name in enumerate(SAVE_FILES):
            (self.folder / name).write_bytes(content(index, self.generation))
        self.live = [self.generation] * len(SAVE_FILES)

    def generations(self, paths, context=None):
        try:
            return [generation_of(path, index) for index, path in enumerate(paths)]
        except AssertionError as wrong:
            if context is None:
                raise
            raise AssertionError(f"{context}: {wrong}") from None

    def state_of(self, direction):
        """(source generations, target generations) as they are tracked."""
        if direction is self.backup:
            return self.live, self.copies
        return self.copies, self.live

    def set_targets(self, direction, generations):
        if direction is self.backup:
            self.copies = generations
        else:
            self.live = generations

    # --- the presses -----------------------------------------------------

    def finished_press(self, direction):
        """Writes a fresh live generation, presses the key, waits until every
        target holds its source's generation and checks that it stays so,
        that the sources are untouched and that no staging file is left in
        the target folder. Returns the time the press took."""
        self.write_live_generation()
        sources, _ = self.state_of(direction)
        expected = list(sources)
        waiting = TargetsWait(direction.targets(), expected)
        harness.key(direction.key)
        pressed = time.monotonic()
        try:
            wait_for(waiting.all_arrived, PRESS_TIMEOUT, "the press", interval=POLL)
        except AssertionError:
            raise AssertionError(f"{direction.name} did not copy generations {expected} into "
                                 f"{direction.target_folder} within {PRESS_TIMEOUT} s; last "
                                 f"seen: {waiting.seen}") from None
        # Up to the last change seen, leaving out the time the checks took.
        took = max(waiting.changed_at) - pressed
        self.assertEqual(self.generations(direction.targets()), expected,
                         f"{direction.name} finished: targets are not the source generations")
        self.assertEqual(self.generations(direction.sources()), expected,
                         f"{direction.name} changed its sources")
        for folder in (self.folder, self.folder / BACKUP_FOLDER):
            self.assertEqual(staging_files(folder), [],
                             f"{direction.name} finished but staging files remain in {folder}")
        self.assertEqual(sorted(path.name for path in self.folder.iterdir()),
                         sorted([*SAVE_FILES, BACKUP_FOLDER, self.exe.name]),
                         f"{direction.name} finished but the save folder holds other files")
        self.set_targets(direction, expected)
        self.press_times[direction.name].append(took)
        return took

    def killed_press(self, direction):
        """Writes a fresh live generation, presses the key, kills the program
        after a random part of the last press time, checks every file and
        starts the program again. Returns where the kill landed."""
        self.write_live_generation()
        sources, targets = self.state_of(direction)
        sources, old = list(sources), list(targets)
        # The fastest recent press, so that few kills come after the last copy.
        estimate = min(self.press_times[direction.name][-3:])
        delay = self.rng.random() * estimate
        harness.key(direction.key)
        time.sleep(delay)
        self.program.kill()

        context = f"after a kill {delay * 1000:.0f} ms into {direction.name}"
        found = self.generations(direction.targets(), context)
        for index, generation in enumerate(found):
            self.assertIn(generation, (old[index], sources[index]),
                          f"{context}, {direction.targets()[index]} holds generation {generation}; "
                          f"old {old[index]}, new {sources[index]}")
        self.assertEqual(self.generations(direction.sources(), context), sources,
                         f"{context}: the sources changed")

        # The entries are copied in their order, one at a time: the replaced
        # ones come first, and at most the next one has a staging file.
        replaced = [generation == source for generation, source in zip(found, sources)]
        done = replaced.index(False) if False in replaced else len(replaced)
        self.assertEqual(replaced, [True] * done + [False] * (len(replaced) - done),
                         f"{direction.name} replaced its targets out of order")
        staged = staging_files(direction.target_folder)
        allowed = [] if done == len(SAVE_FILES) else [SAVE_FILES[done] + STAGING_SUFFIX]
        self.assertLessEqual(set(staged), set(allowed),
                             f"after {done} replaced targets of {direction.name}, "
                             f"unexpected staging files")
        self.set_targets(direction, found)
        self.leftovers += len(staged)

        if staged or 0 < done < len(SAVE_FILES):
            where = "mid-copy"
        elif done == 0:
            where = "before the first copy"
        else:
            where = "after the last copy"
        self.log(f"{direction.name:>3} killed at {delay * 1000:6.1f} ms of ~{estimate * 1000:.0f}:"
                 f" {done} replaced, staging {staged or '-'} ({where})")
        self.start_program()
        return where

    def log(self, text):
        print(text, file=sys.stderr, flush=True)

    # --- the test --------------------------------------------------------

    def test_killed_copies_leave_every_file_whole(self):
        seed = int(os.environ.get("QSH_E2E_SEED", DEFAULT_SEED))
        self.log(f"seed {seed} (set QSH_E2E_SEED to repeat a run)")
        self.rng = random.Random(seed)
        started = time.monotonic()
        self.generation = 0
        self.copies = [None] * len(SAVE_FILES)
        self.press_times = {"F9": [], "F10": []}
        self.leftovers = 0
        self.write_live_generation()  # the program starts only in a save folder
        self.start_program()
        for _ in range(2):  # how long a press takes, before anything is killed
            self.finished_press(self.backup)
            self.finished_press(self.restore)

        landed = {}
        for cycle in range(CYCLES):
            for direction in (self.backup, self.restore):
                where = self.killed_press(direction)
                landed[where] = landed.get(where, 0) + 1
            # Every other cycle, a killed F10 is followed by another F10.
            finished = (self.backup, self.restore) if cycle % 2 == 0 else (self.restore,
                                                                            self.backup)
            for direction in finished:
                self.finished_press(direction)

        kills = 2 * CYCLES
        times = {name: f"{statistics.median(values) * 1000:.0f} ms"
                 for name, values in self.press_times.items()}
        self.log(f"{kills} kills: {landed}; staging files left by kills: {self.leftovers}; "
                 f"median press {times}; {time.monotonic() - started:.0f} s")
        # Kills that all fell outside the copying would have proved nothing.
        self.assertGreaterEqual(landed.get("mid-copy", 0), kills // 3,
                                f"too few kills landed while a file was being copied: {landed}")


if __name__ == "__main__":
    unittest.main()

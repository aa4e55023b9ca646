#!/usr/bin/env python3
"""The program's own figures under Wine, each next to a baseline measured in
the same run: backup and restore latency against cp (with and without a
sync of the copied files), by key press and by the hotkey message sent
straight to the window, start-up against a minimal Win32 window program
that initialises OLE as the program does,
memory after start and after 500 presses, and the exe's size.

    wine_bench.py --program EXE --minimal EXE --send-hotkey EXE [--quick]

Prints one row per figure on stdout, tab-separated:
    label, ours, baseline, baseline's name, unit
The rows are meant for scripts/bench, which prints the table. Uses the
end-to-end harness (tests/e2e/lib) for the display, the Wine session and
the key presses.
"""

import argparse
import os
import pathlib
import shutil
import statistics
import subprocess
import sys
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "e2e"))
from lib import harness  # noqa: E402

SAVE_SET = ("GameSave_Slot0.sav", "GameSave_Slot0_Backup.sav", "Settings.sav",
            "Settings_Backup.sav")
TOKEN_SIZE = 16
PRESS_TIMEOUT = 120.0
WINDOW_TIMEOUT = 60.0
TITLE_PATTERN = "Qelvarin"
MINIMAL_TITLE = "QshBenchMinimalWindow"


def row(label, ours, baseline, baseline_name, unit):
    print(f"{label}\t{ours:.6f}\t{baseline:.6f}\t{baseline_name}\t{unit}", flush=True)


def token(number):
    return (b"press-%010d" % number).ljust(TOKEN_SIZE, b".")


def stamp(paths, number):
    """Writes this press's token over the head of each file."""
    for path in paths:
        fd = os.open(path, os.O_WRONLY)
        try:
            os.pwrite(fd, token(number), 0)
        finally:
            os.close(fd)


def heads_are(paths, number):
    wanted = token(number)
    for path in paths:
        try:
            with open(path, "rb") as handle:
                if handle.read(TOKEN_SIZE) != wanted:
                    return False
        except OSError:
            return False
    return True


def wait_for_heads(paths, number, started):
    """Seconds from `started` until every file starts with the token. The
    program stages each copy, flushes it and renames it over the target, so
    a target with the new head is the whole copy (the folder flush after
    the rename is not counted)."""
    while not heads_are(paths, number):
        if time.perf_counter() - started > PRESS_TIMEOUT:
            raise AssertionError(f"the copies did not arrive within {PRESS_TIMEOUT} s")
    return time.perf_counter() - started


class SaveFolder:
    """A save folder with the program in it and a save set of four files."""

    def __init__(self, root, program, file_size):
        self.root = root
        shutil.rmtree(root, ignore_errors=True)
        (root / "Savecopy").mkdir(parents=True)
        self.exe = root / program.name
        shutil.copy2(program, self.exe)
        chunk = os.urandom(1 << 20)
        for name in SAVE_SET:
            with open(root / name, "wb") as handle:
                left = file_size
                while left > 0:
                    handle.write(chunk[: min(left, len(chunk))])
                    left -= min(left, len(chunk))
        self.live = [root / name for name in SAVE_SET]
        self.copies = [root / "Savecopy" / name for name in SAVE_SET]
        self.baseline_dir = root.parent / (root.name + "-cp")
        shutil.rmtree(self.baseline_dir, ignore_errors=True)
        self.baseline_dir.mkdir()
        self.baseline_copies = [self.baseline_dir / name for name in SAVE_SET]


def wait_until_quiet(paths, started, quiet=3.0):
    """The time of the last change of any of the files (a new inode, as a
    rename over it gives), once none has changed for `quiet` seconds."""
    def identities():
        return [(os.stat(path).st_ino, os.stat(path).st_mtime_ns) for path in paths]
    last, changed = identities(), time.perf_counter()
    while time.perf_counter() - changed < quiet:
        time.sleep(0.05)
        try:
            now = identities()
        except OSError:  # between the rename's two steps
            continue
        if now != last:
            last, changed = now, time.perf_counter()
        if time.perf_counter() - started > PRESS_TIMEOUT * 5:
            raise AssertionError("the presses were not all served in time")
    return changed


def start_program(folder):
    program = harness.start_exe(folder.exe, cwd=folder.root)
    program.main_window = harness.wait_for_window(WINDOW_TIMEOUT, "the main window",
                                                  pid=program.windows_pid, visible=True).hwnd
    return program


class HotkeySender:
    """send_hotkey.exe: sends WM_HOTKEY to the main window and says how long
    the send took, which is the whole backup or restore (the relay hands the
    press on synchronously), without xdotool, X and Wine's key handling."""

    def __init__(self, tool, hwnd):
        session = harness.session()
        self.process = subprocess.Popen(["wine", str(tool), str(hwnd)], env=session.env,
                                        cwd=str(session.temp_dir), stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                        text=True)

    def send(self, hotkey_id):
        self.process.stdin.write(f"{hotkey_id}\n")
        self.process.stdin.flush()
        microseconds = int(self.process.stdout.readline() or -1)
        if microseconds < 0:
            raise AssertionError(f"WM_HOTKEY {hotkey_id} could not be sent to the main window")
        return microseconds / 1e6

    def close(self):
        self.process.stdin.close()
        self.process.wait(30)


BACKUP_ID, RESTORE_ID = 33001, 33002


def send_press(sender, hotkey_id, sources, targets, number):
    stamp(sources, number)
    seconds = sender.send(hotkey_id)
    if not heads_are(targets, number):
        raise AssertionError(f"WM_HOTKEY {hotkey_id} returned before the copies were made")
    return seconds


def press(key, sources, targets, number):
    stamp(sources, number)
    started = time.perf_counter()
    harness.key(key)
    return wait_for_heads(targets, number, started)


def timed(command):
    started = time.perf_counter()
    subprocess.run(command, check=True, stdin=subprocess.DEVNULL)
    return time.perf_counter() - started


def backup_and_restore(work, program_path, send_tool, size, label, presses):
    folder = SaveFolder(work / f"save-{label}", program_path, size)
    program = start_program(folder)
    sender = HotkeySender(send_tool, program.main_window)
    try:
        number = 1
        press("F9", folder.live, folder.copies, number)  # the first one creates the copies
        f9, f10, f9_sent, f10_sent, cp_sync, cp_only = [], [], [], [], [], []
        for _ in range(presses):
            number += 1
            f9.append(press("F9", folder.live, folder.copies, number))
            cp_sync.append(timed(["cp", *map(str, folder.live), str(folder.baseline_dir)]) +
                           timed(["sync", *map(str, folder.baseline_copies)]))
            cp_only.append(timed(["cp", *map(str, folder.live), str(folder.baseline_dir)]))
            number += 1
            f10.append(press("F10", folder.copies, folder.live, number))
            number += 1
            f9_sent.append(send_press(sender, BACKUP_ID, folder.live, folder.copies, number))
            number += 1
            f10_sent.append(send_press(sender, RESTORE_ID, folder.copies, folder.live, number))
    finally:
        sender.close()
        program.kill()
    shutil.rmtree(folder.root, ignore_errors=True)
    shutil.rmtree(folder.baseline_dir, ignore_errors=True)
    med = statistics.median
    sent = "WM_HOTKEY sent to the window, no key"
    row(f"F9 backup, 4 x {label}", med(f9), med(cp_sync), "cp + sync of the 4 files", "s")
    row(f"F9 backup, 4 x {label}", med(f9), med(cp_only), "cp alone", "s")
    row(f"F9 backup, 4 x {label}, {sent}", med(f9_sent), med(cp_sync), "cp + sync of the 4 files",
        "s")
    row(f"F10 restore, 4 x {label}", med(f10), med(cp_sync), "cp + sync of the 4 files", "s")
    row(f"F10 restore, 4 x {label}", med(f10), med(cp_only), "cp alone", "s")
    row(f"F10 restore, 4 x {label}, {sent}", med(f10_sent), med(cp_sync),
        "cp + sync of the 4 files", "s")


def key_delivery(work, runs):
    """From the xdotool call to a hotkey press logged by another program
    (hold_hotkey.exe holding F8): what every F9 and F10 figure includes
    before the program does any work."""
    log = work / "hotkey.log"
    ready = work / "hotkey.ready"
    for path in (log, ready):
        path.unlink(missing_ok=True)
    holder = harness.start_tool("hold_hotkey", 119, "--ready-file", harness.to_windows_path(ready),
                                "--log-file", harness.to_windows_path(log))
    try:
        harness.wait_for_file(ready, WINDOW_TIMEOUT, "hold_hotkey ready", content="1")
        seconds = []
        for number in range(1, runs + 1):
            started = time.perf_counter()
            harness.key("F8")
            while not (log.exists() and log.read_text().count("WM_HOTKEY") >= number):
                if time.perf_counter() - started > PRESS_TIMEOUT:
                    raise AssertionError("hold_hotkey did not log the press")
            seconds.append(time.perf_counter() - started)
    finally:
        holder.kill()
    return statistics.median(seconds)


def visible_window(pattern):
    result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", pattern],
                            env=harness.session().env, stdin=subprocess.DEVNULL,
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    return result.returncode == 0 and result.stdout.strip() != b""


def start_up_seconds(exe, cwd, pattern):
    """From the process start to its window mapped on the X display."""
    session = harness.session()
    with open(session.unique_path("startup", ".log"), "wb") as log:
        started = time.perf_counter()
        process = subprocess.Popen(["wine", str(exe)], cwd=str(cwd), env=session.env,
                                   stdin=subprocess.DEVNULL, stdout=log, stderr=log)
        try:
            while not visible_window(pattern):
                if process.poll() is not None:
                    raise AssertionError(f"{exe} ended before its window showed")
                if time.perf_counter() - started > WINDOW_TIMEOUT:
                    raise AssertionError(f"{exe} showed no window within {WINDOW_TIMEOUT} s")
            return time.perf_counter() - started
        finally:
            process.kill()
            process.wait(30)
            harness.wait_for(lambda: not visible_window(pattern), 30, f"{exe}'s window gone")


def start_up(work, program_path, minimal_path, runs):
    folder = SaveFolder(work / "save-startup", program_path, 1024)
    minimal = work / "minimal" / minimal_path.name
    minimal.parent.mkdir(parents=True, exist_ok=True)
    shutil.copy2(minimal_path, minimal)
    ours, theirs = [], []
    for _ in range(runs):
        ours.append(start_up_seconds(folder.exe, folder.root, TITLE_PATTERN))
        theirs.append(start_up_seconds(minimal, minimal.parent, MINIMAL_TITLE))
    shutil.rmtree(folder.root, ignore_errors=True)
    row("start-up to the window mapped", statistics.median(ours), statistics.median(theirs),
        "minimal Win32 window program", "s")


def memory(work, program_path, minimal_path, presses):
    folder = SaveFolder(work / "save-memory", program_path, 64 << 10)
    program = start_program(folder)
    minimal = harness.start_exe(minimal_path, cwd=minimal_path.parent)
    try:
        harness.wait_for_window(WINDOW_TIMEOUT, "the minimal window", pid=minimal.windows_pid,
                                visible=True)
        number = 1
        press("F9", folder.live, folder.copies, number)
        time.sleep(1.0)  # let both settle after start-up
        started_ws = harness.gdi_counts(program.windows_pid)["working_set"]
        started_rss = program.unix_memory()["VmRSS"]
        minimal_ws = harness.gdi_counts(minimal.windows_pid)["working_set"]
        minimal_rss = minimal.unix_memory()["VmRSS"]
        # 500 alternating presses in one xdotool run. Each served press
        # renames a fresh copy over its target; once no target has changed
        # for a while, all of them have been served.
        started = time.perf_counter()
        harness.key(*(["F9", "F10"] * (presses // 2)))
        served = wait_until_quiet([folder.live[0], folder.copies[0]], started) - started
        print(f"wine_bench: {presses} presses served in {served:.1f} s", file=sys.stderr)
        after_ws = harness.gdi_counts(program.windows_pid)["working_set"]
        after_rss = program.unix_memory()["VmRSS"]
    finally:
        program.kill()
        minimal.kill()
    shutil.rmtree(folder.root, ignore_errors=True)
    mib = 1 << 20
    row("working set after start", started_ws / mib, minimal_ws / mib,
        "minimal Win32 window program", "MiB")
    row(f"working set after {presses} F9/F10 presses", after_ws / mib, started_ws / mib,
        "ours after start", "MiB")
    row("VmRSS (Wine process) after start", started_rss / mib, minimal_rss / mib,
        "minimal Win32 window program", "MiB")
    row(f"VmRSS (Wine process) after {presses} presses", after_rss / mib, started_rss / mib,
        "ours after start", "MiB")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--program", type=pathlib.Path, required=True)
    parser.add_argument("--minimal", type=pathlib.Path, required=True)
    parser.add_argument("--send-hotkey", type=pathlib.Path, required=True,
                        help="send_hotkey.exe, built by scripts/bench")
    parser.add_argument("--work", type=pathlib.Path, required=True,
                        help="a folder for the save folders (on the disk to measure)")
    parser.add_argument("--quick", action="store_true", help="fewer presses and runs")
    arguments = parser.parse_args()
    program = arguments.program.resolve()
    minimal = arguments.minimal.resolve()
    work = arguments.work.resolve()
    work.mkdir(parents=True, exist_ok=True)
    quick = arguments.quick

    harness.session()
    row("exe size", program.stat().st_size / 1024, minimal.stat().st_size / 1024,
        "minimal Win32 window program", "KiB")
    delivery = key_delivery(work, 5 if quick else 15)
    row("hotkey press delivered (xdotool to WM_HOTKEY logged)", delivery, 0,
        "none: part of every F9/F10 figure", "s")
    start_up(work, program, minimal, 3 if quick else 7)
    for size, label, presses in ((64 << 10, "64 KiB", 9), (4 << 20, "4 MiB", 7),
                                 (64 << 20, "64 MiB", 5)):
        backup_and_restore(work, program, arguments.send_hotkey.resolve(), size, label,
                           3 if quick else presses)
    memory(work, program, minimal, 500)
    return 0


if __name__ == "__main__":
    sys.exit(main())

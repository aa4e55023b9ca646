"""The release zip as players and checkers meet it: the exe, a guide in
Simplified Chinese that Notepad on any Windows shows, SHA256SUMS that
sha256sum accepts, and the same bytes whenever and wherever it is packed."""

import os
import pathlib
import shutil
import subprocess
import tempfile
import time
import unittest
import zipfile

from lib import paths, release_package

EXE = "QelvarinSaveHelper.exe"
GUIDE = "使用说明.txt"
SUMS = "SHA256SUMS"
BOM = b"\xef\xbb\xbf"
UTF8_NAME_FLAG = 0x800
READ_ONLY, HIDDEN, SYSTEM = 0x1, 0x2, 0x4

# What a player must be able to find in the guide.
GUIDE_FACTS = {
    "the refusal outside a save folder": "运行位置不对！",
    "the save file that marks the folder": "GameSave_Slot0.sav",
    "the backup key": "F9",
    "the restore key": "F10",
    "the backup folder": "Savecopy",
    "that the keys are silent": "没有声音",
    "that one snapshot is kept": "只有一份备份",
    "read-only copies": "只读",
    "a second copy of the helper": "又开了一个辅助器",
    "Wine": "Wine",
    "Proton": "Proton",
    "a Chinese font is enough": "中文字体",
    "the antivirus note of the window": "可能会有报毒现象",
    "the checksum on Windows": "certutil -hashfile QelvarinSaveHelper.exe SHA256",
    "the checksum on Linux": "sha256sum -c SHA256SUMS",
    "the rebuild commands": "scripts/setup\r\n     scripts/release",
}


def read(path):
    with open(path, "rb") as stream:
        return stream.read()


class ReleasePackageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.temporary = pathlib.Path(tempfile.mkdtemp(prefix="qsh-package-"))
        cls.addClassCleanup(shutil.rmtree, cls.temporary, ignore_errors=True)
        cls.exe = read(paths.program())
        name = release_package.zip_name()
        cls.first = cls.temporary / "first" / name
        release_package.pack(paths.program(), cls.first)

        # The second packing: the same exe from another folder, with other
        # file times, another umask and working folder, some seconds later.
        other = cls.temporary / "a second, longer folder"
        other.mkdir()
        exe_copy = other / EXE
        shutil.copyfile(paths.program(), exe_copy)
        os.utime(exe_copy, (1_000_000_000, 1_000_000_000))
        time.sleep(2.1)  # zip times have a resolution of two seconds
        cls.second = other / "out" / name
        umask = os.umask(0o077)
        try:
            release_package.pack(exe_copy, cls.second, cwd=other)
        finally:
            os.umask(umask)

        with zipfile.ZipFile(cls.first) as archive:
            cls.entries = archive.infolist()
            cls.contents = {info.filename: archive.read(info) for info in cls.entries}

    def test_two_packings_give_the_same_bytes(self):
        self.assertEqual(read(self.first), read(self.second),
                         "packing the same exe twice gave different zips")

    def test_holds_the_exe_the_guide_and_the_sums_in_this_order(self):
        self.assertEqual([info.filename for info in self.entries], [EXE, GUIDE, SUMS])
        self.assertEqual(self.contents[EXE], self.exe, "the zipped exe is not the built one")

    def test_entries_are_plain_files_with_one_fixed_time(self):
        times = {info.date_time for info in self.entries}
        self.assertEqual(len(times), 1, f"entries with different times: {times}")
        for info in self.entries:
            with self.subTest(entry=info.filename):
                windows, unix = info.external_attr & 0xFF, info.external_attr >> 16
                self.assertFalse(windows & (READ_ONLY | HIDDEN | SYSTEM),
                                 f"Windows attributes {windows:#x}: unpacked files would be "
                                 "read-only, hidden or system files")
                self.assertEqual(unix, 0o100644, f"Unix mode {unix:#o}: not a plain file")
                self.assertEqual(info.compress_type, zipfile.ZIP_DEFLATED)

    def test_chinese_name_is_stored_as_utf8_and_flagged(self):
        guide = next(info for info in self.entries if info.filename == GUIDE)
        self.assertTrue(guide.flag_bits & UTF8_NAME_FLAG,
                        "the guide's name lacks the UTF-8 flag: unzip tools would read it "
                        "in the system's code page")
        raw = read(self.first)
        self.assertEqual(raw.count(GUIDE.encode("utf-8")), 2,
                         "the guide's name is not in UTF-8 in the local and the central header")

    def test_unzip_unpacks_the_names_and_sha256sum_accepts_the_sums(self):
        unpacked = self.temporary / "unpacked"
        environment = {**os.environ, "LC_ALL": "C.UTF-8"}
        unzipped = subprocess.run(["unzip", "-q", str(self.first), "-d", str(unpacked)],
                                  capture_output=True, timeout=60, env=environment)
        self.assertEqual(unzipped.returncode, 0, unzipped.stderr.decode(errors="replace"))
        self.assertEqual(sorted(path.name for path in unpacked.iterdir()), sorted([EXE, GUIDE, SUMS]),
                         "Info-ZIP's unzip gave other names")
        for path in unpacked.iterdir():
            self.assertTrue(path.stat().st_mode & 0o200, f"{path.name} unpacked read-only")
        checked = subprocess.run(["sha256sum", "--check", "--strict", SUMS], cwd=unpacked,
                                 capture_output=True, timeout=60, env=environment)
        self.assertEqual(checked.returncode, 0,
                         checked.stdout.decode(errors="replace") + checked.stderr.decode(errors="replace"))
        checked_names = [line.rsplit(": ", 1)[0]
                         for line in checked.stdout.decode("utf-8").splitlines()]
        self.assertEqual(checked_names, [EXE, GUIDE], "SHA256SUMS does not cover every file")

    def test_guide_is_utf8_with_byte_order_mark_and_crlf_lines(self):
        guide = self.contents[GUIDE]
        self.assertTrue(guide.startswith(BOM), "no byte-order mark: Notepad would guess the "
                                               "code page and show garbage on many systems")
        text = guide[len(BOM):].decode("utf-8")  # strict: fails on a broken sequence
        self.assertNotIn("\ufeff", text, "a second byte-order mark")
        self.assertEqual(text.count("\n"), text.count("\r\n"), "a line end without CR")
        self.assertEqual(text.count("\r"), text.count("\r\n"), "a CR without LF")
        self.assertTrue(text.endswith("\r\n"), "the last line has no line end")
        self.assertGreater(sum(ord(c) >= 0x4E00 for c in text), 1000, "hardly any Chinese")

    def test_guide_is_the_source_text(self):
        source = release_package.guide_source().read_text(encoding="utf-8")
        shipped = self.contents[GUIDE][len(BOM):].decode("utf-8")
        self.assertEqual(shipped.replace("\r\n", "\n"), source)

    def test_guide_tells_the_key_facts(self):
        text = self.contents[GUIDE][len(BOM):].decode("utf-8")
        for fact, words in GUIDE_FACTS.items():
            with self.subTest(fact=fact):
                self.assertIn(words, text)

    def test_guide_names_this_package(self):
        text = self.contents[GUIDE][len(BOM):].decode("utf-8")
        self.assertIn(f"build/release/{release_package.zip_name()}", text)


if __name__ == "__main__":
    unittest.main()

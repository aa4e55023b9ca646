#!/usr/bin/env python3
"""Packs the release zip for players: the exe, the Chinese player's guide and
SHA256SUMS.

The zip depends on nothing but the bytes it holds: fixed entry order, one
fixed time, fixed attributes, fixed compression. Packing the same exe twice,
anywhere and at any time, gives the same zip.

usage: make_package.py --exe EXE --guide GUIDE --out ZIP
"""

import argparse
import hashlib
import os
import sys
import tempfile
import zipfile

GUIDE_NAME = "使用说明.txt"
SUMS_NAME = "SHA256SUMS"
# Every entry carries this time (local time, as zip keeps it): the day of
# version 1.01, so that an unpacked file shows a plausible date.
ENTRY_TIME = (2026, 12, 11, 12, 0, 0)
# Attributes of a plain file, never read-only or hidden, in both forms:
# Windows reads the low byte (FILE_ATTRIBUTE_ARCHIVE), Unix tools the mode in
# the high half (a regular file, rw-r--r--). Marked as made on Unix, because
# Info-ZIP's unzip ignores the UTF-8 flag of a name made on MS-DOS.
MADE_ON_UNIX = 3
PLAIN_FILE = (0o100644 << 16) | 0x20
BOM = b"\xef\xbb\xbf"


def guide_for_windows(source: bytes) -> bytes:
    """UTF-8 with a byte-order mark and CR LF line ends: Notepad on any
    Windows, whatever its system locale, shows it as UTF-8 and in lines."""
    text = source.removeprefix(BOM).decode("utf-8")  # strict: no broken text ships
    lines = text.replace("\r\n", "\n").split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    return BOM + "".join(line + "\r\n" for line in lines).encode("utf-8")


def sha256sums(files: list[tuple[str, bytes]]) -> bytes:
    """The format of GNU sha256sum, so `sha256sum -c SHA256SUMS` checks it."""
    return "".join(f"{hashlib.sha256(data).hexdigest()}  {name}\n"
                   for name, data in files).encode("utf-8")


def entry(name: str) -> zipfile.ZipInfo:
    info = zipfile.ZipInfo(name, date_time=ENTRY_TIME)
    info.create_system = MADE_ON_UNIX
    info.external_attr = PLAIN_FILE
    info.compress_type = zipfile.ZIP_DEFLATED
    # zipfile marks a name outside ASCII as UTF-8 (flag bit 11) by itself.
    return info


def package(exe: bytes, exe_name: str, guide_source: bytes) -> list[tuple[str, bytes]]:
    files = [(exe_name, exe), (GUIDE_NAME, guide_for_windows(guide_source))]
    return files + [(SUMS_NAME, sha256sums(files))]


def write_zip(path: str, files: list[tuple[str, bytes]]) -> None:
    """Writes beside the target and renames, so that a failed run leaves no
    half-written zip under the release name."""
    folder = os.path.dirname(os.path.abspath(path))
    handle, temporary = tempfile.mkstemp(dir=folder, suffix=".part")
    try:
        with os.fdopen(handle, "wb") as stream, zipfile.ZipFile(stream, "w") as archive:
            for name, data in files:
                archive.writestr(entry(name), data, compresslevel=9)
        os.chmod(temporary, 0o644)
        os.replace(temporary, path)
    except BaseException:
        os.unlink(temporary)
        raise


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--exe", required=True)
    parser.add_argument("--guide", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()

    with open(args.exe, "rb") as stream:
        exe = stream.read()
    with open(args.guide, "rb") as stream:
        guide = stream.read()
    files = package(exe, os.path.basename(args.exe), guide)
    os.makedirs(os.path.dirname(os.path.abspath(args.out)), exist_ok=True)
    write_zip(args.out, files)
    return 0


if __name__ == "__main__":
    sys.exit(main())

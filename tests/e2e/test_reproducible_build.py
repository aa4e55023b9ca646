"""Anyone can check a release against the source: the exe carries no time
and no folder of the build, and the release command run on a fresh copy of
the sources, in another folder and later, gives the same bytes of the exe
and of the zip as this build."""

import os
import pathlib
import shutil
import subprocess
import tempfile
import unittest

from lib import paths, release_package
from lib.pe_file import PeFile

# Far below the module's CTest time-out, so that a hung build fails here
# with its log instead of being killed without one.
REBUILD_TIMEOUT = 500


def read(path):
    with open(path, "rb") as stream:
        return stream.read()


def first_difference(a, b):
    """A readable account of where two byte strings part."""
    at = next((i for i, (x, y) in enumerate(zip(a, b)) if x != y), min(len(a), len(b)))
    differing = sum(x != y for x, y in zip(a, b))
    return (f"sizes {len(a)} and {len(b)}, {differing} differing bytes in the common part, "
            f"the first at offset {at:#x}")


def copy_sources(destination):
    """The working tree as it is (also files not yet committed), without
    builds, Git data or Python caches: what a fresh clone would hold."""
    root = paths.repo_root()

    def ignored(folder, names):
        left_out = {".git", "__pycache__"}
        if pathlib.Path(folder) == root:
            left_out.add("build")
        return [name for name in names if name in left_out]

    shutil.copytree(root, destination, symlinks=True, ignore=ignored)


class ExeCarriesNoTimeNorFolder(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.exe = read(paths.program())

    def test_no_time_stamp_in_any_header(self):
        stamps = PeFile(self.exe).time_stamps()
        self.assertIn("resource directory", stamps, "no resource directory was read")
        self.assertEqual({where: stamp for where, stamp in stamps.items() if stamp}, {},
                         "time stamps in the exe: a rebuild at another time would differ")

    def test_no_folder_of_the_build_in_the_bytes(self):
        for folder in (paths.repo_root(), paths.build_dir().resolve()):
            for encoding in ("utf-8", "utf-16-le"):
                with self.subTest(folder=str(folder), encoding=encoding):
                    self.assertNotIn(str(folder).encode(encoding), self.exe,
                                     "the exe names the folder it was built in")


class ReleaseCommandElsewhere(unittest.TestCase):
    """scripts/release on a copy of the sources at another path, of another
    length, after this build: the exe and the zip come out the same."""

    @classmethod
    def setUpClass(cls):
        cls.temporary = pathlib.Path(tempfile.mkdtemp(prefix="qsh-rebuild-"))
        cls.addClassCleanup(shutil.rmtree, cls.temporary, ignore_errors=True)
        cls.sources = cls.temporary / "another folder for the sources" / "qelvarin"
        copy_sources(cls.sources)

        environment = dict(os.environ)
        # A time given from outside would hide a time taken from the clock.
        environment.pop("SOURCE_DATE_EPOCH", None)
        forum_host = paths.cache_value("QSH_FORUM_HOST")
        if forum_host:
            environment["QSH_FORUM_HOST"] = forum_host
        log = cls.temporary / "release.log"
        with open(log, "wb") as output:
            try:
                finished = subprocess.run([str(cls.sources / "scripts" / "release")],
                                          cwd=cls.temporary, env=environment, stdout=output,
                                          stderr=subprocess.STDOUT, timeout=REBUILD_TIMEOUT)
            except subprocess.TimeoutExpired:
                finished = None
        if finished is None or finished.returncode != 0:
            tail = log.read_text(encoding="utf-8", errors="replace")[-4000:]
            raise AssertionError(f"scripts/release in {cls.sources} "
                                 f"{'timed out' if finished is None else 'failed'}:\n{tail}")
        cls.release = cls.sources / "build" / "release"

    def test_exe_is_byte_identical(self):
        ours, theirs = read(paths.program()), read(self.release / "QelvarinSaveHelper.exe")
        if ours != theirs:
            self.fail(f"{paths.program()} and the rebuild differ: {first_difference(ours, theirs)}"
                      f"; COFF time stamps {PeFile(ours).time_stamp:#x} and "
                      f"{PeFile(theirs).time_stamp:#x}")

    def test_zip_is_byte_identical_to_packing_this_build(self):
        name = release_package.zip_name()
        rebuilt = self.release / name
        self.assertTrue(rebuilt.is_file(), f"scripts/release made no {rebuilt}")
        packed = self.temporary / "packed here" / name
        release_package.pack(paths.program(), packed)
        ours, theirs = read(packed), read(rebuilt)
        if ours != theirs:
            self.fail(f"the zip of this build and the rebuilt one differ: "
                      f"{first_difference(ours, theirs)}")


if __name__ == "__main__":
    unittest.main()

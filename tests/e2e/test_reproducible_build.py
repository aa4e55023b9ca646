"""Anyone can check a release against the source: the exe carries no time
and no folder of the build."""

import unittest

from lib import paths
from lib.pe_file import PeFile


def read(path):
    with open(path, "rb") as stream:
        return stream.read()


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


if __name__ == "__main__":
    unittest.main()

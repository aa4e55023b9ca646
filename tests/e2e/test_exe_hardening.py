"""The exe as Windows and antivirus heuristics see it: a PE32 GUI program
with ASLR and DEP, only core system DLLs imported, its manifest and version
resource embedded."""

import struct
import unittest

from lib import paths
from lib.pe_file import PeFile

# DLLs that Windows always loads from the system folder (known DLLs and the
# C runtime it ships); anything else would be looked for beside the exe first.
CORE_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "ole32.dll", "shell32.dll",
             "advapi32.dll", "msvcrt.dll", "comdlg32.dll"}

RT_ICON, RT_GROUP_ICON, RT_BITMAP, RT_CURSOR, RT_VERSION, RT_MANIFEST = 3, 14, 2, 1, 16, 24


class ExeHardeningTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with open(paths.program(), "rb") as exe:
            cls.pe = PeFile(exe.read())

    def test_is_a_32_bit_gui_program(self):
        self.assertEqual(self.pe.machine, 0x14C, "not i386")
        self.assertEqual(self.pe.magic, 0x10B, "not PE32")
        self.assertEqual(self.pe.subsystem, 2, "not the Windows GUI subsystem")

    def test_has_aslr_and_dep(self):
        self.assertTrue(self.pe.dll_characteristics & 0x40, "no DYNAMIC_BASE (ASLR)")
        self.assertTrue(self.pe.dll_characteristics & 0x100, "no NX_COMPAT (DEP)")
        self.assertFalse(self.pe.characteristics & 0x0001, "relocations stripped: ASLR cannot move it")

    def test_imports_only_core_system_dlls(self):
        imported = {name.lower() for name in self.pe.imported_dlls()}
        self.assertTrue(imported, "no import table")
        self.assertLessEqual(imported, CORE_DLLS,
                             f"imports beyond the core system DLLs: {sorted(imported - CORE_DLLS)}")

    def test_carries_icon_banner_cursor_manifest_and_version(self):
        types = self.pe.resource_types()
        self.assertEqual(types.get(RT_MANIFEST), [1], "no application manifest with id 1")
        self.assertIn(RT_VERSION, types, "no version resource")
        self.assertIn(RT_GROUP_ICON, types, "no icon")
        self.assertIn(RT_BITMAP, types, "no banner")
        self.assertIn(RT_CURSOR, types, "no hand cursor")
        manifest = self._resource_bytes(RT_MANIFEST)
        self.assertIn(b'level="asInvoker"', manifest)
        version = self._resource_bytes(RT_VERSION)
        self.assertIn("1.01".encode("utf-16-le"), version)

    def _resource_bytes(self, type_id):
        """The data of the first language of the first name of a type."""
        rva, _ = self.pe.directories[2]
        base = self.pe.offset(rva)
        data = self.pe.data

        def first_entry(directory, wanted=None):
            named, numbered = struct.unpack_from("<HH", data, directory + 12)
            for i in range(named + numbered):
                ident, target = struct.unpack_from("<II", data, directory + 16 + 8 * i)
                if wanted is None or ident == wanted:
                    return target
            raise AssertionError(f"resource type {type_id} not found")

        names = base + (first_entry(base, type_id) & 0x7FFFFFFF)
        languages = base + (first_entry(names) & 0x7FFFFFFF)
        leaf = base + first_entry(languages)
        data_rva, size = struct.unpack_from("<II", data, leaf)
        start = self.pe.offset(data_rva)
        return data[start:start + size]


if __name__ == "__main__":
    unittest.main()

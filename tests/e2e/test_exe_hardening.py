"""The exe as Windows and antivirus heuristics see it: a PE32 GUI program
with ASLR and DEP, only core system DLLs imported, its manifest and version
resource embedded."""

import struct
import unittest

from lib import paths

# DLLs that Windows always loads from the system folder (known DLLs and the
# C runtime it ships); anything else would be looked for beside the exe first.
CORE_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "ole32.dll", "shell32.dll",
             "advapi32.dll", "msvcrt.dll", "comdlg32.dll"}

RT_ICON, RT_GROUP_ICON, RT_BITMAP, RT_CURSOR, RT_VERSION, RT_MANIFEST = 3, 14, 2, 1, 16, 24


class PeFile:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        assert data[pe:pe + 4] == b"PE\0\0", "no PE signature"
        self.machine, sections, _, _, _, optional_size, self.characteristics = \
            struct.unpack_from("<HHIIIHH", data, pe + 4)
        optional = pe + 24
        self.magic = struct.unpack_from("<H", data, optional)[0]
        self.subsystem, self.dll_characteristics = struct.unpack_from("<HH", data, optional + 68)
        self.directories = [struct.unpack_from("<II", data, optional + 96 + 8 * i)
                            for i in range(16)]
        table = optional + optional_size
        self.sections = []
        for i in range(sections):
            name, vsize, vaddr, rawsize, rawptr = struct.unpack_from("<8sIIII", data, table + 40 * i)
            self.sections.append((name.rstrip(b"\0"), vaddr, max(vsize, rawsize), rawptr))

    def offset(self, rva):
        for _, vaddr, size, rawptr in self.sections:
            if vaddr <= rva < vaddr + size:
                return rawptr + rva - vaddr
        raise AssertionError(f"RVA {rva:#x} lies in no section")

    def c_string(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def imported_dlls(self):
        rva, _ = self.directories[1]
        names, at = [], self.offset(rva)
        while True:
            entry = struct.unpack_from("<IIIII", self.data, at)
            if not any(entry):
                return names
            names.append(self.c_string(entry[3]))
            at += 20

    def resource_types(self):
        """{type id: [name ids]} of the resource directory's first two levels."""
        rva, _ = self.directories[2]
        base = self.offset(rva)

        def entries(directory):
            named, numbered = struct.unpack_from("<HH", self.data, directory + 12)
            for i in range(named + numbered):
                ident, target = struct.unpack_from("<II", self.data, directory + 16 + 8 * i)
                yield ident, target

        types = {}
        for type_id, target in entries(base):
            assert target & 0x80000000, "a resource type without a directory"
            types[type_id] = [name for name, _ in entries(base + (target & 0x7FFFFFFF))]
        return types


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

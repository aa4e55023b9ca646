"""A reader of the parts of a PE32 file that the tests look at: headers,
sections, data directories, imports, resources and the time stamps they
carry."""

import struct

EXPORT, IMPORT, RESOURCE, DEBUG = 0, 1, 2, 6


class PeFile:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        assert data[pe:pe + 4] == b"PE\0\0", "no PE signature"
        (self.machine, sections, self.time_stamp, _, _, optional_size,
         self.characteristics) = struct.unpack_from("<HHIIIHH", data, pe + 4)
        optional = pe + 24
        self.magic = struct.unpack_from("<H", data, optional)[0]
        self.checksum = struct.unpack_from("<I", data, optional + 64)[0]
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

    def _import_descriptors(self):
        rva, _ = self.directories[IMPORT]
        if not rva:
            return
        at = self.offset(rva)
        while True:
            entry = struct.unpack_from("<IIIII", self.data, at)
            if not any(entry):
                return
            yield entry
            at += 20

    def imported_dlls(self):
        return [self.c_string(entry[3]) for entry in self._import_descriptors()]

    def _resource_entries(self, directory):
        named, numbered = struct.unpack_from("<HH", self.data, directory + 12)
        for i in range(named + numbered):
            yield struct.unpack_from("<II", self.data, directory + 16 + 8 * i)

    def resource_types(self):
        """{type id: [name ids]} of the resource directory's first two levels."""
        base = self.offset(self.directories[RESOURCE][0])
        types = {}
        for type_id, target in self._resource_entries(base):
            assert target & 0x80000000, "a resource type without a directory"
            types[type_id] = [name for name, _ in
                              self._resource_entries(base + (target & 0x7FFFFFFF))]
        return types

    def time_stamps(self):
        """{where: value} of every time stamp field that the file carries:
        the COFF header, the export directory, each resource directory at
        every level, each debug record and each import descriptor."""
        stamps = {"COFF header": self.time_stamp}
        rva, size = self.directories[EXPORT]
        if rva and size:
            stamps["export directory"] = struct.unpack_from("<I", self.data, self.offset(rva) + 4)[0]
        rva, size = self.directories[RESOURCE]
        if rva and size:
            base = self.offset(rva)
            pending = [(base, "resource directory")]
            while pending:
                directory, where = pending.pop()
                stamps[where] = struct.unpack_from("<I", self.data, directory + 4)[0]
                for ident, target in self._resource_entries(directory):
                    if target & 0x80000000:
                        pending.append((base + (target & 0x7FFFFFFF), f"{where}/{ident:#x}"))
        rva, size = self.directories[DEBUG]
        if rva and size:
            at = self.offset(rva)
            for i in range(size // 28):
                stamps[f"debug record {i}"] = struct.unpack_from("<I", self.data, at + 28 * i + 4)[0]
        for entry in self._import_descriptors():
            stamps[f"imports of {self.c_string(entry[3])}"] = entry[1]
        return stamps

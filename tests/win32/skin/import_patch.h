#pragma once
// Replaces, for one scope, the address through which this executable calls
// a function it imports from a DLL: the way to make a system call fail on
// purpose (a hook the system refuses) without any seam in the code under
// test, which calls the system as usual.

#include <windows.h>

#include <cstring>

namespace qsh::skin::testing {

class ImportPatch {
 public:
  // dll as the import table names it, compared without regard to case.
  ImportPatch(const char* dll, const char* function, void* replacement) {
    slot_ = FindSlot(dll, function);
    if (slot_ != nullptr) original_ = Write(slot_, replacement);
  }
  ~ImportPatch() {
    if (slot_ != nullptr) Write(slot_, original_);
  }
  ImportPatch(const ImportPatch&) = delete;
  ImportPatch& operator=(const ImportPatch&) = delete;

  [[nodiscard]] bool active() const { return slot_ != nullptr; }

 private:
  static void** FindSlot(const char* dll, const char* function) {
    auto* base = reinterpret_cast<unsigned char*>(::GetModuleHandleA(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0) return nullptr;
    for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         entry->Name != 0; ++entry) {
      if (::lstrcmpiA(reinterpret_cast<const char*>(base + entry->Name), dll) != 0) continue;
      if (entry->OriginalFirstThunk == 0) return nullptr;
      auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
      auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
      for (; names->u1.AddressOfData != 0; ++names, ++slots) {
        if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
        const auto* byName =
            reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
        if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0)
          return reinterpret_cast<void**>(&slots->u1.Function);
      }
    }
    return nullptr;
  }

  // The import table may be read-only once loaded.
  static void* Write(void** slot, void* value) {
    DWORD previousProtection = 0;
    if (!::VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &previousProtection)) return *slot;
    void* previous = *slot;
    *slot = value;
    ::VirtualProtect(slot, sizeof *slot, previousProtection, &previousProtection);
    return previous;
  }

  void** slot_ = nullptr;
  void* original_ = nullptr;
};

}  // namespace qsh::skin::testing

#include "platform/dll_search.h"

#include <windows.h>

namespace qsh {

void RestrictDllSearchToSystemFolder() {
  // Looked up, not imported: older systems lack it and would refuse to
  // start the program at all.
  using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
  const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
  const auto setDefaultDllDirectories = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
      reinterpret_cast<void*>(::GetProcAddress(kernel, "SetDefaultDllDirectories")));
  if (setDefaultDllDirectories != nullptr &&
      setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32))
    return;
  ::SetDllDirectoryW(L"");
}

}  // namespace qsh

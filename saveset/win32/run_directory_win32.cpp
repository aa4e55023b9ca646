#include "saveset/win32/run_directory_win32.h"

#include <windows.h>

#include "saveset/run_directory.h"

namespace qsh {

std::wstring QueryRunDirectory() {
  return RunDirectoryFromModulePath(ReadModulePath([](std::span<wchar_t> buffer) -> std::size_t {
    return ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  }));
}

}  // namespace qsh

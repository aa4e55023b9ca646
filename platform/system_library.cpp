#include "platform/system_library.h"

#include <array>
#include <string>

namespace qsh {

UniqueModule LoadSystemLibrary(const wchar_t* fileName) {
  std::array<wchar_t, MAX_PATH> folder{};
  const UINT length = ::GetSystemDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
  if (length == 0 || length >= folder.size()) return UniqueModule();
  std::wstring path(folder.data(), length);
  path.append(L"\\").append(fileName);
  // A full path, and its own dependencies from the system folder as well.
  HMODULE module = ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  return UniqueModule(module);
}

}  // namespace qsh

#include "platform/system_library.h"

#include <array>
#include <string>

namespace qsh {

UniqueModule LoadSystemLibrary(const char* fileName) {
  std::array<char, MAX_PATH> folder{};
  const UINT length = ::GetSystemDirectoryA(folder.data(), static_cast<UINT>(folder.size()));
  if (length == 0 || length >= folder.size()) return UniqueModule();
  std::string path(folder.data(), length);
  path.append("\\").append(fileName);
  // A full path, and its own dependencies from the system folder as well.
  HMODULE module = ::LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  return UniqueModule(module);
}

}  // namespace qsh

#include "saveset/run_directory.h"

#include <algorithm>
#include <vector>

namespace qsh {

std::wstring RunDirectoryFromModulePath(std::wstring_view modulePath) {
  const std::wstring_view::size_type lastSeparator = modulePath.rfind(L'\\');
  if (lastSeparator == std::wstring_view::npos) return {};
  return std::wstring(modulePath.substr(0, lastSeparator));
}

std::wstring ReadModulePath(const ModulePathQuery& query) {
  constexpr std::size_t kFirstSize = 260;
  constexpr std::size_t kLargestSize = kLongestPath + 1;  // room for the end
  for (std::size_t size = kFirstSize;; size = std::min(size * 2, kLargestSize)) {
    std::vector<wchar_t> buffer(size);
    const std::size_t length = query(buffer);
    if (length == 0 || length > size) return {};
    if (length < size) return std::wstring(buffer.data(), length);
    if (size == kLargestSize) return {};  // longer than any path: never cut short
  }
}

}  // namespace qsh

#include "saveset/save_set.h"

namespace qsh {

std::wstring ComposePath(std::wstring_view runDirectory, std::wstring_view tail) {
  std::wstring path;
  path.reserve(runDirectory.size() + tail.size());
  path.append(runDirectory).append(tail);
  return path;
}

}  // namespace qsh

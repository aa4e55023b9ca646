#include "saveset/save_set.h"

namespace qsh {

std::string ComposePath(std::string_view runDirectory, std::string_view tail) {
  std::string path;
  path.reserve(runDirectory.size() + tail.size());
  path.append(runDirectory).append(tail);
  return path;
}

}  // namespace qsh

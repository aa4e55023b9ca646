#include "web/bytes_to_text.h"

#include <algorithm>

namespace qsh {

std::string BytesToText(const Bytes& input) {
  const auto end = std::find(input.begin(), input.end(), static_cast<unsigned char>(0));
  return std::string(input.begin(), end);
}

}  // namespace qsh

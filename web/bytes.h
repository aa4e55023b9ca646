#pragma once
// A counted byte sequence, as received from the network or produced by a
// conversion: it may hold zero bytes anywhere. Texts of the program are
// std::string holding code page 936 bytes and end at their first zero.

#include <algorithm>
#include <string>
#include <vector>

namespace qsh {

using Bytes = std::vector<unsigned char>;

// The bytes before the first zero byte, or all of them when there is none.
[[nodiscard]] inline std::string BytesToText(const Bytes& input) {
  const auto end = std::find(input.begin(), input.end(), static_cast<unsigned char>(0));
  return std::string(input.begin(), end);
}

}  // namespace qsh

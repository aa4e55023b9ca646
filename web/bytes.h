#pragma once
// A counted byte sequence, as received from the network or produced by a
// conversion: it may hold zero bytes anywhere. Texts of the program are
// std::string holding code page 936 bytes and end at their first zero.

#include <vector>

namespace qsh {

using Bytes = std::vector<unsigned char>;

}  // namespace qsh

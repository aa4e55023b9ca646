#pragma once
// The marker search of the version check.

#include <cstdint>
#include <string_view>

namespace qsh {

// The 1-based byte position of the first occurrence of needle in text, or -1.
// Both are Texts: each ends at its first zero byte, if it holds one. The scan
// walks code page 936 characters, so a match never starts on the second byte
// of a double-byte character; bytes are compared exactly (no case folding).
// An empty needle is found at 1 in any non-empty text.
[[nodiscard]] int32_t LocateText(std::string_view text, std::string_view needle);

}  // namespace qsh

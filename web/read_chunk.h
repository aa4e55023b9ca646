#pragma once
// How much one InternetReadFile call asks for.

#include <cstdint>
#include <string_view>

namespace qsh {

inline constexpr uint32_t kLargestReadChunk = 102400;
inline constexpr uint32_t kUnknownLengthReadChunk = 10240;

// From the Content-Length header's text (empty when the header is missing):
// its leading decimal digits read as a number; a positive length gives the
// length plus one, at most kLargestReadChunk; anything else gives
// kUnknownLengthReadChunk. Lengths of any size are read without overflow.
[[nodiscard]] uint32_t ReadChunkSize(std::string_view contentLengthHeader);

}  // namespace qsh

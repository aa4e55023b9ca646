#include "web/read_chunk.h"

namespace qsh {

uint32_t ReadChunkSize(std::string_view contentLengthHeader) {
  uint64_t length = 0;
  for (const char c : contentLengthHeader) {
    if (c < '0' || c > '9') break;
    length = length * 10 + static_cast<uint64_t>(c - '0');
    // Past the cap the exact value no longer matters; stopping here keeps
    // the arithmetic far from overflow.
    if (length >= kLargestReadChunk) return kLargestReadChunk;
  }
  if (length == 0) return kUnknownLengthReadChunk;
  return static_cast<uint32_t>(length + 1);
}

}  // namespace qsh

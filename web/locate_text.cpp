#include "web/locate_text.h"

#include <cstddef>
#include <limits>

namespace qsh {
namespace {

std::string_view UpToFirstZero(std::string_view text) {
  const std::size_t zero = text.find('\0');
  return zero == std::string_view::npos ? text : text.substr(0, zero);
}

}  // namespace

int32_t LocateText(std::string_view text, std::string_view needle) {
  text = UpToFirstZero(text);
  needle = UpToFirstZero(needle);
  const std::size_t n = text.size();
  const std::size_t m = needle.size();
  if (m == 0) return n > 0 ? 1 : -1;

  std::size_t p = 0;
  while (n - p >= m) {  // p never passes n: a step of 2 needs a byte after p
    if (text[p] == needle[0] && text.compare(p, m, needle) == 0) {
      // A Text this long cannot come from a capped page; say "not found"
      // rather than give a position that does not fit.
      if (p >= static_cast<std::size_t>(std::numeric_limits<int32_t>::max())) return -1;
      return static_cast<int32_t>(p + 1);
    }
    if (static_cast<unsigned char>(text[p]) >= 0x80) {
      if (p + 1 >= n) return -1;  // a lead byte right before the terminator
      p += 2;
    } else {
      p += 1;
    }
  }
  return -1;
}

}  // namespace qsh

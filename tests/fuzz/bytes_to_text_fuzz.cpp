// A counted byte sequence turned into a Text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "tests/fuzz/fuzz_check.h"
#include "web/bytes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const qsh::Bytes bytes(data, data + size);
  const std::string text = qsh::BytesToText(bytes);

  // The bytes before the first zero: a prefix, free of zeros, ending where a
  // zero or the input ends.
  QSH_FUZZ_CHECK(text.size() <= size);
  QSH_FUZZ_CHECK(std::equal(text.begin(), text.end(), bytes.begin(),
                            [](char c, unsigned char b) { return static_cast<unsigned char>(c) == b; }));
  QSH_FUZZ_CHECK(text.find('\0') == std::string::npos);
  QSH_FUZZ_CHECK(text.size() == size || bytes[text.size()] == 0);
  QSH_FUZZ_CHECK(std::char_traits<char>::length(text.c_str()) == text.size());
  return 0;
}

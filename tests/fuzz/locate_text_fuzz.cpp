// The marker search over any text and needle.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "tests/fuzz/fuzz_check.h"
#include "web/locate_text.h"

namespace {

// "软件版本：【V1.01】" in code page 936.
constexpr std::string_view kMarker =
    "\xC8\xED\xBC\xFE\xB0\xE6\xB1\xBE\xA3\xBA\xA1\xBEV1.01\xA1\xBF";

std::string_view UpToZero(std::string_view text) { return text.substr(0, text.find('\0')); }

// Where a comparison may start: 0, then past one byte below 0x80 or past a
// byte pair. A lead byte as the last byte is still compared (with a needle
// of one byte), but the scan ends there.
std::vector<bool> ScanPositions(std::string_view text) {
  std::vector<bool> starts(text.size() + 1, false);
  for (std::size_t p = 0; p < text.size();) {
    starts[p] = true;
    p += static_cast<unsigned char>(text[p]) >= 0x80 ? 2 : 1;
  }
  return starts;
}

void Check(std::string_view rawText, std::string_view rawNeedle) {
  const int32_t found = qsh::LocateText(rawText, rawNeedle);
  const std::string_view text = UpToZero(rawText);
  const std::string_view needle = UpToZero(rawNeedle);

  if (needle.empty()) {
    QSH_FUZZ_CHECK(found == (text.empty() ? -1 : 1));
    return;
  }
  // The first occurrence that starts a character, as std::string_view finds
  // occurrences byte by byte.
  const std::vector<bool> starts = ScanPositions(text);
  int32_t expected = -1;
  for (std::size_t at = text.find(needle); at != std::string_view::npos;
       at = text.find(needle, at + 1)) {
    if (starts[at]) {
      expected = static_cast<int32_t>(at + 1);
      break;
    }
  }
  QSH_FUZZ_CHECK(found == expected);

  // In plain ASCII every byte starts a character: it is a plain find.
  bool ascii = true;
  for (const char c : text) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii) {
    const std::size_t at = text.find(needle);
    QSH_FUZZ_CHECK(found == (at == std::string_view::npos ? -1 : static_cast<int32_t>(at + 1)));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  qsh::fuzz::FuzzInput input(data, size);
  const uint8_t needleLength = input.TakeByte();
  const std::string_view needle = qsh::fuzz::AsView(input.Take(needleLength % 32));
  const std::string_view text = qsh::fuzz::AsView(input.Rest());
  Check(text, needle);
  Check(text, kMarker);
  return 0;
}

#pragma once
// Conversions between the UTF-16 of the W API and the UTF-8 that the test
// harness reads and writes.

#include <string>
#include <string_view>

namespace qsh::tools {

std::string Utf8FromWide(std::wstring_view wide);
std::wstring WideFromUtf8(std::string_view utf8);

// Lower-case hex of each byte, e.g. "c4e3" for two bytes.
std::string HexBytes(std::string_view bytes);

}  // namespace qsh::tools

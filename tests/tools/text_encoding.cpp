#include "tests/tools/text_encoding.h"

#include <windows.h>

#include <climits>

namespace qsh::tools {

std::string Utf8FromWide(std::wstring_view wide) {
  if (wide.empty() || wide.size() > static_cast<std::size_t>(INT_MAX / 4)) return {};
  const int wideLength = static_cast<int>(wide.size());
  const int length =
      ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string utf8(static_cast<std::size_t>(length), '\0');
  const int written = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, utf8.data(),
                                            length, nullptr, nullptr);
  if (written != length) return {};
  return utf8;
}

std::wstring WideFromUtf8(std::string_view utf8) {
  if (utf8.empty() || utf8.size() > static_cast<std::size_t>(INT_MAX)) return {};
  const int utf8Length = static_cast<int>(utf8.size());
  const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), utf8Length, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  const int written =
      ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), utf8Length, wide.data(), length);
  if (written != length) return {};
  return wide;
}

std::string HexBytes(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    hex.push_back(kDigits[byte >> 4]);
    hex.push_back(kDigits[byte & 0x0F]);
  }
  return hex;
}

}  // namespace qsh::tools

// Every text of the program is whole GBK: the C library's iconv, a converter
// independent of the one Windows uses, takes each from code page 936 to
// UTF-16 and back byte for byte. The Windows boundary itself is tested
// under Wine, under three system locales.
#include <iconv.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <optional>
#include <string>
#include <string_view>

#include "tests/common/system_texts.h"
#include "web/version_check.h"

namespace qsh {
namespace {

using testing::kSystemTexts;
using testing::SystemText;

// One iconv conversion, closed with its owner.
class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(::iconv_open(to, from)) {}
  ~Converter() {
    if (valid()) ::iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  [[nodiscard]] bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

  // The whole input converted; nothing when iconv stops at any byte.
  std::optional<std::string> operator()(std::string_view input) {
    ::iconv(handle_, nullptr, nullptr, nullptr, nullptr);  // a fresh start
    std::string output(input.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    if (::iconv(handle_, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1) ||
        inLeft != 0)
      return std::nullopt;
    output.resize(output.size() - outLeft);
    return output;
  }

 private:
  iconv_t handle_;
};

// UTF-16LE bytes, as Windows holds its texts.
std::string LittleEndianBytes(std::u16string_view units) {
  std::string bytes;
  for (const char16_t unit : units) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

TEST(SystemTextsIconvTest, EveryTextRoundTripsThroughCodePage936ByteForByte) {
  Converter toUtf16("UTF-16LE", "CP936");
  Converter toGbk("CP936", "UTF-16LE");
  ASSERT_TRUE(toUtf16.valid() && toGbk.valid()) << "the C library lacks CP936";
  for (const SystemText& each : kSystemTexts) {
    const std::string expected = LittleEndianBytes(each.utf16);
    const std::optional<std::string> utf16 = toUtf16(each.text);
    ASSERT_TRUE(utf16.has_value()) << "not whole GBK: " << each.text;
    EXPECT_TRUE(*utf16 == expected) << each.text;
    const std::optional<std::string> back = toGbk(expected);
    ASSERT_TRUE(back.has_value()) << "no GBK form: " << each.text;
    EXPECT_TRUE(*back == each.text) << each.text;
  }
}

TEST(SystemTextsIconvTest, TheTableHoldsTheVersionMarker) {
  bool found = false;
  for (const SystemText& each : kSystemTexts) found = found || each.text == kVersionMarker;
  EXPECT_TRUE(found);
}

TEST(SystemTextsIconvTest, ABrokenTextIsCaught) {
  // A lead byte without its trail byte: the check above would see it.
  Converter toUtf16("UTF-16LE", "CP936");
  ASSERT_TRUE(toUtf16.valid());
  EXPECT_FALSE(toUtf16(std::string_view("\xD6\xD0\xCE", 3)).has_value());
}

}  // namespace
}  // namespace qsh

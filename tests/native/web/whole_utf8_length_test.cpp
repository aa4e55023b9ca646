#include <gtest/gtest.h>

#include <string>

#include "web/utf8_to_gb2312.h"

namespace qsh {
namespace {

Bytes AsBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

TEST(WholeUtf8LengthTest, DropsOnlyACharacterCutOffAtTheEnd) {
  // "说" is E8 AF B4, "é" C3 A9, "😀" F0 9F 98 80.
  struct Case {
    const char* what;
    std::string bytes;
    std::size_t expected;
  };
  const Case cases[] = {
      {"empty", "", 0},
      {"ASCII", "abc", 3},
      {"whole three-byte character last", "ab\xE8\xAF\xB4", 5},
      {"three-byte character, lead byte only", "ab\xE8", 2},
      {"three-byte character, one byte missing", "ab\xE8\xAF", 2},
      {"whole two-byte character last", "a\xC3\xA9", 3},
      {"two-byte character, lead byte only", "a\xC3", 1},
      {"whole four-byte character last", "a\xF0\x9F\x98\x80", 5},
      {"four-byte character, one byte missing", "a\xF0\x9F\x98", 1},
      {"four-byte character, lead byte only", "a\xF0", 1},
      {"nothing but a cut-off character", "\xE8\xAF", 0},
      // Not UTF-8: kept, so that the conversion refuses it as it is.
      {"a stray continuation byte", "ab\xAF", 3},
      {"four continuation bytes", "a\x80\x80\x80\x80", 5},
      {"an ASCII byte after a lead byte", "\xE8" "a", 2},
  };
  for (const Case& c : cases) EXPECT_EQ(WholeUtf8Length(AsBytes(c.bytes)), c.expected) << c.what;
}

TEST(WholeUtf8LengthTest, WhatIsKeptOfACutPageStillConverts) {
  // A page cut inside its last character: converted whole it fails, cut at
  // the last whole character it converts.
  const Bytes cut = AsBytes("\xE8\xBD\xAF\xE4\xBB\xB6 ok \xE8\xAF");
  EXPECT_TRUE(Utf8ToGb2312(cut).empty());
  const Bytes kept(cut.begin(), cut.begin() + static_cast<std::ptrdiff_t>(WholeUtf8Length(cut)));
  EXPECT_EQ(Utf8ToGb2312(kept), AsBytes("软件 ok "));
}

}  // namespace
}  // namespace qsh

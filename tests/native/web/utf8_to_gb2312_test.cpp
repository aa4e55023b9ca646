#include "web/utf8_to_gb2312.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "web/gb2312_iconv.h"

namespace qsh {
namespace {

Bytes B(const std::string& text) { return Bytes(text.begin(), text.end()); }

// Byte escapes only: these are UTF-8 inputs and GB2312 outputs, whatever the
// execution character set of the test's sources.
struct ConversionCase {
  const char* name;
  std::string input;
  std::string expected;  // empty: the conversion fails as a whole
};

const ConversionCase kConversionCases[] = {
    {"ascii", "<html>V1.01</html>", "<html>V1.01</html>"},
    {"the version marker",
     "\xE8\xBD\xAF\xE4\xBB\xB6\xE7\x89\x88\xE6\x9C\xAC\xEF\xBC\x9A\xE3\x80\x90V1.01\xE3\x80\x91",
     "\xC8\xED\xBC\xFE\xB0\xE6\xB1\xBE\xA3\xBA\xA1\xBEV1.01\xA1\xBF"},
    {"the current-version message",
     "\xE8\xAF\xA5\xE7\x89\x88\xE6\x9C\xAC\xE4\xB8\xBA\xE6\x9C\x80\xE6\x96\xB0\xE7\x89\x88\xE6\x9C\xAC",
     "\xB8\xC3\xB0\xE6\xB1\xBE\xCE\xAA\xD7\xEE\xD0\xC2\xB0\xE6\xB1\xBE"},
    {"zero byte inside is converted", std::string("a\0b", 3), std::string("a\0b", 3)},
    {"empty input", "", ""},
    {"invalid byte", "abc\xFF" "def", ""},
    {"lone trail byte", "abc\x80", ""},
    {"overlong form", "\xC0\xAF", ""},
    {"sequence cut off at the end", "abc\xE4\xB8", ""},
    {"lead byte alone at the end", "abc\xE4", ""},
    {"byte-order mark at the head", "\xEF\xBB\xBF<html>", ""},
    {"no-break space U+00A0", "a\xC2\xA0" "b", ""},
    {"marker and a no-break space",
     "\xE8\xBD\xAF\xE4\xBB\xB6\xE7\x89\x88\xE6\x9C\xAC\xEF\xBC\x9A\xE3\x80\x90V1.01\xE3\x80\x91\xC2\xA0",
     ""},
    {"beyond U+FFFF", "a\xF0\x9F\x98\x80", ""},
    {"encoded surrogate", "\xED\xA0\x80", ""},
    {"U+FFFF", "\xEF\xBF\xBF", ""},
    {"character GB2312 lacks (euro sign)", "\xE2\x82\xAC", ""},
};

struct NamedIconv {
  const char* name;
  const IconvFacility* iconv;
};

class Utf8ToGb2312Test : public ::testing::TestWithParam<NamedIconv> {};

TEST_P(Utf8ToGb2312Test, ConvertsAllOrNothing) {
  for (const ConversionCase& c : kConversionCases)
    EXPECT_EQ(Utf8ToGb2312(B(c.input), *GetParam().iconv), B(c.expected)) << c.name;
}

TEST_P(Utf8ToGb2312Test, LargePageConvertsWhole) {
  // Two-byte GB2312 characters from three-byte UTF-8 ones, over many calls' worth.
  std::string input, expected;
  for (int i = 0; i < 100000; ++i) {
    input += "\xE4\xB8\xAD" "a";
    expected += "\xD6\xD0" "a";
  }
  EXPECT_EQ(Utf8ToGb2312(B(input), *GetParam().iconv), B(expected));
}

std::string IconvName(const ::testing::TestParamInfo<NamedIconv>& param) {
  return param.param.name;
}

const NamedIconv kIconvs[] = {
    {"ThisBuildsIconv", &PlatformIconv()},
    {"OurConverter", &Gb2312IconvFacility()},
};

INSTANTIATE_TEST_SUITE_P(Iconvs, Utf8ToGb2312Test, ::testing::ValuesIn(kIconvs),
                         IconvName);

TEST(Utf8ToGb2312Test, DefaultIsThisBuildsIconv) {
  EXPECT_EQ(Utf8ToGb2312(B("\xE4\xB8\xAD")), B("\xD6\xD0"));
  EXPECT_EQ(Utf8ToGb2312(B("\xC2\xA0")), Bytes{});
}

// A stand-in iconv that writes each input byte `expansion` times, one input
// byte per step, never part of one: real GB2312 output is never longer than
// its UTF-8 input, so only a stand-in can drive the buffer's growth.
struct ExpandingIconv {
  static inline std::size_t expansion = 1;
  static inline int calls = 0;
  static inline bool opened = false;

  static void* Open(const char* to, const char* from) {
    if (std::strcmp(to, "GB2312") != 0 || std::strcmp(from, "UTF-8") != 0)
      return InvalidIconvDescriptor();
    opened = true;
    return &expansion;
  }
  static std::size_t Convert(void*, char** in, std::size_t* inLeft, char** out,
                             std::size_t* outLeft) {
    ++calls;
    while (*inLeft > 0) {
      if (*outLeft < expansion) {
        errno = E2BIG;
        return kIconvFailed;
      }
      std::memset(*out, **in, expansion);
      *out += expansion;
      *outLeft -= expansion;
      ++*in;
      --*inLeft;
    }
    return 0;
  }
  static int Close(void*) {
    opened = false;
    return 0;
  }
  static constexpr IconvFacility facility{Open, Convert, Close};
};

TEST(Utf8ToGb2312GrowthTest, GrowsByHalfTheInputPlus128AtMostElevenTimes) {
  struct Case {
    std::size_t inputLength;
    std::size_t expansion;
    int expectedCalls;
    bool converts;
  };
  // 256 bytes: each growth adds 256 bytes, so an expansion of f needs f - 1
  // growths. 1000 bytes: each growth adds 628.
  const Case cases[] = {
      {256, 1, 1, true},     // fits at once
      {256, 2, 2, true},     // one growth
      {256, 12, 12, true},   // eleven growths fill the buffer exactly
      {256, 13, 12, false},  // a twelfth would be needed
      {1000, 7, 11, true},   // 1000 + 10 * 628 >= 7000
      {1000, 8, 12, false},  // 1000 + 11 * 628 < 8000
      {1, 129, 2, true},     // 1 + 129: small inputs grow by 128
      {1, 130, 3, true},
  };
  for (const Case& c : cases) {
    ExpandingIconv::expansion = c.expansion;
    ExpandingIconv::calls = 0;
    Bytes input(c.inputLength);
    for (std::size_t i = 0; i < input.size(); ++i) input[i] = static_cast<unsigned char>('a' + i % 26);
    const Bytes output = Utf8ToGb2312(input, ExpandingIconv::facility);
    EXPECT_EQ(ExpandingIconv::calls, c.expectedCalls)
        << c.inputLength << " bytes times " << c.expansion;
    EXPECT_FALSE(ExpandingIconv::opened) << "the descriptor is closed again";
    if (!c.converts) {
      EXPECT_TRUE(output.empty());
      continue;
    }
    // Continued where it stopped: every byte in order, none twice.
    ASSERT_EQ(output.size(), c.inputLength * c.expansion);
    for (std::size_t i = 0; i < output.size(); ++i)
      ASSERT_EQ(output[i], input[i / c.expansion]) << "at " << i;
  }
}

TEST(Utf8ToGb2312GrowthTest, FailedOpenGivesEmpty) {
  constexpr IconvFacility refusing{
      [](const char*, const char*) { return InvalidIconvDescriptor(); },
      ExpandingIconv::Convert, ExpandingIconv::Close};
  EXPECT_TRUE(Utf8ToGb2312(Bytes{'a'}, refusing).empty());
}

}  // namespace
}  // namespace qsh

#include "web/locate_text.h"

#include <gtest/gtest.h>

#include <string>

#include "web/version_check.h"

namespace qsh {
namespace {

using namespace std::string_literals;

struct LocateCase {
  const char* name;
  std::string text;
  std::string needle;
  int32_t expected;
};

// Bytes are spelled out: 0xB0 0xE6 is a double-byte character, 0x56 is 'V'.
const LocateCase kCases[] = {
    {"marker at the very start", std::string(kVersionMarker) + "rest", std::string(kVersionMarker), 1},
    {"marker later in the page", "<html>abc"s + std::string(kVersionMarker), std::string(kVersionMarker), 10},
    {"marker after Chinese text", "\xD6\xD0\xCE\xC4"s + std::string(kVersionMarker), std::string(kVersionMarker), 5},
    {"marker of another version", "\xC8\xED\xBC\xFE\xB0\xE6\xB1\xBE\xA3\xBA\xA1\xBEV1.02\xA1\xBF",
     std::string(kVersionMarker), -1},
    {"lower-case v does not count", "\xC8\xED\xBC\xFE\xB0\xE6\xB1\xBE\xA3\xBA\xA1\xBEv1.01\xA1\xBF",
     std::string(kVersionMarker), -1},
    // "\xB0" + "V1" would match at byte 2, but byte 1 leads a pair and the
    // scan steps over both: no comparison starts on byte 2.
    {"high byte right before the needle", "\xB0V1", "V1", -1},
    {"high byte pair, then the needle", "\xB0\xE6V1", "V1", 3},
    {"ascii byte before the needle", "aV1", "V1", 2},
    {"needle inside a pair seen from its trail byte", "\xB0\xE6\xB1", "\xE6\xB1", -1},
    {"empty needle in a text", "abc", "", 1},
    {"empty needle in the empty text", "", "", -1},
    {"needle in the empty text", "", "a", -1},
    {"needle longer than the text", "ab", "abc", -1},
    {"text ending in a lone lead byte", "abc\xB0", "x", -1},
    {"lone lead byte, needle one byte", "\xB0", "a", -1},
    {"lone lead byte before a match would fit", "a\xB0", "b", -1},
    {"text ends at its first zero byte", "ab\0V1"s, "V1", -1},
    {"needle ends at its first zero byte", "xab", "ab\0zz"s, 2},
    {"exact byte comparison", "ABC", "abc", -1},
    {"whole text is the needle", "V1.01", "V1.01", 1},
};

class LocateTextTest : public ::testing::TestWithParam<LocateCase> {};

TEST_P(LocateTextTest, FindsFirstOccurrenceOnCharacterBoundaries) {
  const LocateCase& c = GetParam();
  EXPECT_EQ(LocateText(c.text, c.needle), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Cases, LocateTextTest, ::testing::ValuesIn(kCases));

}  // namespace
}  // namespace qsh

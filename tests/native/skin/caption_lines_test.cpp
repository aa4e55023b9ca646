#include "shell/skin/caption_lines.h"

#include <gtest/gtest.h>

#include <string>

namespace qsh::skin {
namespace {

// Six pixels a byte, so that a double-byte character is twelve.
int SixPerByte(std::string_view text) { return static_cast<int>(text.size()) * 6; }

std::vector<std::string> Break(std::string_view caption, int width) {
  std::vector<std::string> lines;
  for (std::string_view line : BreakCaptionLines(caption, width, SixPerByte)) lines.emplace_back(line);
  return lines;
}

using Lines = std::vector<std::string>;

TEST(CaptionLinesTest, BreaksAtCarriageReturnLineFeed) {
  EXPECT_EQ(Break("OK", 100), (Lines{"OK"}));
  EXPECT_EQ(Break("", 100), (Lines{}));
  EXPECT_EQ(Break("Yes\r\nNo", 100), (Lines{"Yes", "No"}));
  EXPECT_EQ(Break("a\r\n\r\nb", 100), (Lines{"a", "", "b"}));
  EXPECT_EQ(Break("a\r\n", 100), (Lines{"a"}));
  EXPECT_EQ(Break("a\nb\rc", 100), (Lines{"a\nb\rc"})) << "only the pair breaks";
}

TEST(CaptionLinesTest, BreaksWhereTheNextCharacterWouldNotFit) {
  EXPECT_EQ(Break("abcdef", 36), (Lines{"abcdef"}));
  EXPECT_EQ(Break("abcdef", 35), (Lines{"abcde", "f"}));
  EXPECT_EQ(Break("abcdef", 18), (Lines{"abc", "def"}));
  EXPECT_EQ(Break("abcd\r\nefgh", 18), (Lines{"abc", "d", "efg", "h"}));
}

TEST(CaptionLinesTest, NeverSplitsADoubleByteCharacter) {
  const std::string twoCharacters = "确定";  // four bytes in code page 936
  ASSERT_EQ(twoCharacters.size(), 4u);
  EXPECT_EQ(Break(twoCharacters, 24), (Lines{twoCharacters}));
  EXPECT_EQ(Break(twoCharacters, 18), (Lines{"确", "定"}));
  EXPECT_EQ(Break("a" + twoCharacters, 12), (Lines{"a", "确", "定"}));
  EXPECT_EQ(Break("ab确", 18), (Lines{"ab", "确"}));
}

TEST(CaptionLinesTest, EveryLineHoldsAtLeastOneCharacter) {
  EXPECT_EQ(Break("ab", 0), (Lines{"a", "b"}));
  EXPECT_EQ(Break("确", 1), (Lines{"确"}));
  EXPECT_EQ(Break("ab", -5), (Lines{"a", "b"}));
}

TEST(CaptionLinesTest, ALeadByteAtTheVeryEndStandsAlone) {
  const std::string truncated = std::string("x") + static_cast<char>(0xB7);
  EXPECT_EQ(Break(truncated, 100), (Lines{truncated}));
  EXPECT_EQ(Break(truncated, 6), (Lines{"x", std::string(1, static_cast<char>(0xB7))}));
}

TEST(CaptionLinesTest, TheLeadBytePredicateDecides) {
  // With a single-byte code page the same bytes are two characters each.
  auto singleByte = [](unsigned char) { return false; };
  std::vector<std::string> lines;
  for (std::string_view line : BreakCaptionLines("确", 6, SixPerByte, singleByte)) lines.emplace_back(line);
  EXPECT_EQ(lines.size(), 2u);
  EXPECT_TRUE(IsGbkLeadByte(0x81));
  EXPECT_TRUE(IsGbkLeadByte(0xFE));
  EXPECT_FALSE(IsGbkLeadByte(0x80));
  EXPECT_FALSE(IsGbkLeadByte(0xFF));
  EXPECT_FALSE(IsGbkLeadByte('A'));
}

// Six pixels a UTF-16 unit, as the skin measures the captions it reads.
int SixPerUnit(std::wstring_view text) { return static_cast<int>(text.size()) * 6; }

std::vector<std::wstring> BreakWide(std::wstring_view caption, int width) {
  std::vector<std::wstring> lines;
  for (std::wstring_view line : BreakCaptionLines(caption, width, SixPerUnit)) lines.emplace_back(line);
  return lines;
}

using WideLines = std::vector<std::wstring>;

TEST(CaptionLinesTest, WideCaptionsBreakTheSameWay) {
  struct Case {
    std::wstring_view caption;
    int width;
    WideLines lines;
  };
  // U+20BB7 as a surrogate pair: one character in two units.
  const std::wstring pair = {wchar_t(0xD842), wchar_t(0xDFB7)};
  const Case cases[] = {
      {L"", 100, {}},
      {L"OK", 100, {L"OK"}},
      {L"\u786e\u5b9a", 12, {L"\u786e\u5b9a"}},
      {L"\u786e\u5b9a", 11, {L"\u786e", L"\u5b9a"}},
      {L"Yes\r\nNo", 100, {L"Yes", L"No"}},
      {L"a\r\n\r\nb", 100, {L"a", L"", L"b"}},
      {L"abcd\r\nefgh", 18, {L"abc", L"d", L"efg", L"h"}},
      {L"ab", 0, {L"a", L"b"}},
  };
  for (const Case& c : cases) EXPECT_EQ(BreakWide(c.caption, c.width), c.lines) << c.width;
  EXPECT_EQ(BreakWide(L"a" + pair, 6), (WideLines{L"a", pair})) << "a pair is never split";
  EXPECT_EQ(BreakWide(pair + L"b", 12), (WideLines{pair, L"b"}));
  const std::wstring loneHigh(1, wchar_t(0xD842));
  EXPECT_EQ(BreakWide(L"x" + loneHigh, 6), (WideLines{L"x", loneHigh})) << "a lone lead unit at the end";
  EXPECT_TRUE(IsHighSurrogate(wchar_t(0xD800)));
  EXPECT_TRUE(IsHighSurrogate(wchar_t(0xDBFF)));
  EXPECT_FALSE(IsHighSurrogate(wchar_t(0xDC00)));
  EXPECT_FALSE(IsHighSurrogate(L'A'));
}

}  // namespace
}  // namespace qsh::skin

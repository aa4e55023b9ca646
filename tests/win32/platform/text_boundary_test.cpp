// Every text of the program through the code page 936 boundary, under the
// system locale the test was started with (QSH_EXPECTED_ACP names its ANSI
// code page): the same UTF-16 and the same bytes back on every system, the
// version check's edit-box round trip included, and a font that has every
// glyph of each text.
#include "platform/text_boundary.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/glyph_fallback.h"
#include "tests/common/system_texts.h"
#include "web/locate_text.h"
#include "web/version_check.h"

namespace qsh {
namespace {

using testing::kSystemTexts;
using testing::SystemText;

// Windows' UTF-16 is wchar_t.
std::wstring WideOf(const SystemText& each) {
  return std::wstring(each.utf16.begin(), each.utf16.end());
}

class TextBoundaryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Without this the test could pass under the wrong locale and prove nothing.
    const char* expected = std::getenv("QSH_EXPECTED_ACP");
    ASSERT_NE(expected, nullptr) << "QSH_EXPECTED_ACP names the ANSI code page of this run";
    ASSERT_EQ(::GetACP(), static_cast<UINT>(std::strtoul(expected, nullptr, 10)))
        << "the locale of this run did not reach Wine";
  }
};

TEST_F(TextBoundaryTest, EverySystemTextRoundTripsByteForByte) {
  for (const SystemText& each : kSystemTexts) {
    const std::wstring wide = WideFromText(each.text);
    EXPECT_TRUE(wide == WideOf(each)) << each.text;
    EXPECT_TRUE(TextFromWide(wide) == each.text) << each.text;
  }
  EXPECT_EQ(WideFromText(""), L"");
  EXPECT_EQ(TextFromWide(L""), "");
}

TEST_F(TextBoundaryTest, TheMarkerIsItsNineteenBytes) {
  const std::string marker = TextFromWide(L"\u8f6f\u4ef6\u7248\u672c\uff1a\u3010V1.01\u3011");
  EXPECT_EQ(marker, std::string("\xC8\xED\xBC\xFE\xB0\xE6\xB1\xBE\xA3\xBA\xA1\xBE"
                                "V1.01\xA1\xBF"));
  EXPECT_TRUE(marker == kVersionMarker);
}

TEST_F(TextBoundaryTest, CharactersOutsideCodePage936BecomeQuestionMarks) {
  // Hangul and a character beyond U+FFFF have no GBK form.
  EXPECT_EQ(TextFromWide(L"a\uD55Cb"), "a?b");
  const std::string beyond = TextFromWide(L"x\U00020BB7");
  EXPECT_TRUE(beyond == "x?" || beyond == "x??") << beyond;  // the pair whole or each half
}

TEST_F(TextBoundaryTest, EditBoxGivesBackTheBytesItWasGiven) {
  // As 编辑框1: a Unicode multi-line edit control without a text limit.
  HWND editBox = ::CreateWindowExW(0, L"EDIT", L"", WS_POPUP | ES_MULTILINE | ES_AUTOVSCROLL,
                                   0, 0, 100, 100, nullptr, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(editBox, nullptr) << "cannot create an edit control (is there a display?)";
  ::SendMessageW(editBox, EM_LIMITTEXT, 0, 0);
  std::string page;
  for (const SystemText& each : kSystemTexts) page.append(each.text).append("\r\n");
  for (int i = 0; i < 3000; ++i) page += "<p>中文页面【】，。\r\n";  // beyond 32K characters
  page += std::string(kVersionMarker);
  SetWindowTextOf(editBox, page);
  const std::string shown = WindowTextOf(editBox);
  ::DestroyWindow(editBox);
  EXPECT_EQ(shown.size(), page.size());
  EXPECT_TRUE(shown == page);
  EXPECT_EQ(LocateText(shown, kVersionMarker),
            static_cast<std::int32_t>(page.find(kVersionMarker) + 1));
}

TEST_F(TextBoundaryTest, EveryTextHasAFontWithAllItsGlyphs) {
  const HGDIOBJ stock = ::GetStockObject(DEFAULT_GUI_FONT);
  for (const SystemText& each : kSystemTexts) {
    const UniqueFont fallback = ChineseFallbackFor(stock, WideOf(each));
    if (::GetACP() == 936) {
      // A Chinese system keeps the stock font: every pixel as before.
      EXPECT_FALSE(fallback.valid()) << each.text;
      EXPECT_TRUE(FontHasGlyphs(stock, WideOf(each))) << each.text;
    } else if (fallback) {
      EXPECT_TRUE(FontHasGlyphs(fallback.get(), WideOf(each))) << each.text;
      LOGFONTW stockLook{}, fallbackLook{};
      ASSERT_EQ(::GetObjectW(stock, sizeof stockLook, &stockLook), int{sizeof stockLook});
      ASSERT_EQ(::GetObjectW(fallback.get(), sizeof fallbackLook, &fallbackLook),
                int{sizeof fallbackLook});
      EXPECT_EQ(fallbackLook.lfHeight, stockLook.lfHeight);
      EXPECT_EQ(fallbackLook.lfWeight, stockLook.lfWeight);
      EXPECT_EQ(fallbackLook.lfCharSet, GB2312_CHARSET);
    } else {
      EXPECT_TRUE(FontHasGlyphs(stock, WideOf(each))) << each.text;
    }
  }
}

TEST_F(TextBoundaryTest, ALatinTextKeepsItsFont) {
  const HGDIOBJ stock = ::GetStockObject(DEFAULT_GUI_FONT);
  EXPECT_TRUE(FontHasGlyphs(stock, L"OK\r\n"));
  EXPECT_FALSE(ChineseFallbackFor(stock, L"Qelvarin V1.01").valid());
}

}  // namespace
}  // namespace qsh

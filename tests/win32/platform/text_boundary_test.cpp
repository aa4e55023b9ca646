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
#include "web/locate_text.h"
#include "web/version_check.h"

namespace qsh {
namespace {

struct SystemText {
  std::string_view text;  // code page 936 bytes, as the program holds them
  std::wstring_view wide;
};

// The window's caption and texts, the messages and their caption, and the
// version marker.
constexpr SystemText kSystemTexts[] = {
    {"Qelvarin(zorvex) 存档辅助器 V1.01", L"Qelvarin(zorvex) \u5b58\u6863\u8f85\u52a9\u5668 V1.01"},
    {"作者声明", L"\u4f5c\u8005\u58f0\u660e"},
    {"版本更新", L"\u7248\u672c\u66f4\u65b0"},
    {"功能说明", L"\u529f\u80fd\u8bf4\u660e"},
    {"Qelvarin版块", L"Qelvarin\u7248\u5757"},
    {"Tamrow论坛", L"Tamrow\u8bba\u575b"},
    {"该程序仍在更新\r\n\r\n更多功能后续更新\r\n\r\n欢迎大家收藏《Qelvarin》 版块\r\n",
     L"\u8be5\u7a0b\u5e8f\u4ecd\u5728\u66f4\u65b0\r\n\r\n\u66f4\u591a\u529f\u80fd\u540e\u7eed"
     L"\u66f4\u65b0\r\n\r\n\u6b22\u8fce\u5927\u5bb6\u6536\u85cf\u300aQelvarin\u300b \u7248\u5757\r\n"},
    {"检查更新", L"\u68c0\u67e5\u66f4\u65b0"},
    {"当前版本：V1.01", L"\u5f53\u524d\u7248\u672c\uff1aV1.01"},
    {"反馈地址", L"\u53cd\u9988\u5730\u5740"},
    {"游戏中\r\n按F9  保存当前存档\r\n按F10 还原保存存档\r\n\r\n"
     "如果有任何功能问题请在本帖留言进行回复，下一版本优化",
     L"\u6e38\u620f\u4e2d\r\n\u6309F9  \u4fdd\u5b58\u5f53\u524d\u5b58\u6863\r\n\u6309F10 "
     L"\u8fd8\u539f\u4fdd\u5b58\u5b58\u6863\r\n\r\n\u5982\u679c\u6709\u4efb\u4f55\u529f\u80fd"
     L"\u95ee\u9898\u8bf7\u5728\u672c\u5e16\u7559\u8a00\u8fdb\u884c\u56de\u590d\uff0c\u4e0b"
     L"\u4e00\u7248\u672c\u4f18\u5316"},
    {"本工具由 Tamrow Lunwick编写，旨在帮助玩家处理存档相关问题 由于编程软件的限制，可能会有报毒现象。",
     L"\u672c\u5de5\u5177\u7531 Tamrow Lunwick\u7f16\u5199\uff0c\u65e8\u5728\u5e2e\u52a9\u73a9"
     L"\u5bb6\u5904\u7406\u5b58\u6863\u76f8\u5173\u95ee\u9898 \u7531\u4e8e\u7f16\u7a0b\u8f6f\u4ef6"
     L"\u7684\u9650\u5236\uff0c\u53ef\u80fd\u4f1a\u6709\u62a5\u6bd2\u73b0\u8c61\u3002"},
    {"信息：", L"\u4fe1\u606f\uff1a"},
    {"运行位置不对！", L"\u8fd0\u884c\u4f4d\u7f6e\u4e0d\u5bf9\uff01"},
    {"该版本为最新版本", L"\u8be5\u7248\u672c\u4e3a\u6700\u65b0\u7248\u672c"},
    {"该版本已失效，或网络条件不好！",
     L"\u8be5\u7248\u672c\u5df2\u5931\u6548\uff0c\u6216\u7f51\u7edc\u6761\u4ef6\u4e0d\u597d\uff01"},
    {"程序窗口无法创建，程序将退出。",
     L"\u7a0b\u5e8f\u7a97\u53e3\u65e0\u6cd5\u521b\u5efa\uff0c\u7a0b\u5e8f\u5c06\u9000\u51fa\u3002"},
    {"软件版本：【V1.01】", L"\u8f6f\u4ef6\u7248\u672c\uff1a\u3010V1.01\u3011"},
};

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
    EXPECT_TRUE(wide == each.wide) << each.text;
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
    const UniqueFont fallback = ChineseFallbackFor(stock, each.wide);
    if (::GetACP() == 936) {
      // A Chinese system keeps the stock font: every pixel as before.
      EXPECT_FALSE(fallback.valid()) << each.text;
      EXPECT_TRUE(FontHasGlyphs(stock, each.wide)) << each.text;
    } else if (fallback) {
      EXPECT_TRUE(FontHasGlyphs(fallback.get(), each.wide)) << each.text;
      LOGFONTW stockLook{}, fallbackLook{};
      ASSERT_EQ(::GetObjectW(stock, sizeof stockLook, &stockLook), int{sizeof stockLook});
      ASSERT_EQ(::GetObjectW(fallback.get(), sizeof fallbackLook, &fallbackLook),
                int{sizeof fallbackLook});
      EXPECT_EQ(fallbackLook.lfHeight, stockLook.lfHeight);
      EXPECT_EQ(fallbackLook.lfWeight, stockLook.lfWeight);
      EXPECT_EQ(fallbackLook.lfCharSet, GB2312_CHARSET);
    } else {
      EXPECT_TRUE(FontHasGlyphs(stock, each.wide)) << each.text;
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

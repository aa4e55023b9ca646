// The version check's text round trip through a real multi-line edit control.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/text_boundary.h"
#include "web/locate_text.h"
#include "web/version_check.h"

namespace qsh {
namespace {

class EditBoxTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(::GetACP(), 936u) << "the tests expect the Chinese ANSI code page";
    // As 编辑框1: invisible, multi-line, without a text limit.
    editBox_ = ::CreateWindowExA(0, "EDIT", "", WS_POPUP | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0,
                                 100, 100, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(editBox_, nullptr) << "cannot create an edit control (is there a display?)";
  }
  void TearDown() override {
    if (editBox_ != nullptr) ::DestroyWindow(editBox_);
  }
  HWND editBox_ = nullptr;
};

TEST_F(EditBoxTextTest, TextReadBackEqualsTextSet) {
  std::string page;
  for (int i = 0; i < 20000; ++i) page += "<p>中文页面\r\n";  // far beyond 32K characters
  page += std::string(kVersionMarker);
  SetWindowTextOf(editBox_, page);
  const std::string shown = WindowTextOf(editBox_);
  EXPECT_EQ(shown.size(), page.size());
  EXPECT_TRUE(shown == page);
  EXPECT_EQ(LocateText(shown, kVersionMarker), static_cast<int32_t>(page.size() - kVersionMarker.size() + 1));
}

TEST_F(EditBoxTextTest, EmptyContentReadsBackEmpty) {
  SetWindowTextOf(editBox_, "something");
  SetWindowTextOf(editBox_, "");
  EXPECT_EQ(WindowTextOf(editBox_), "");
}

}  // namespace
}  // namespace qsh

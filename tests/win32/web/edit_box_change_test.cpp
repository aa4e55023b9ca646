// Setting the content of 编辑框1 raises its content-changed event once: the
// edit box's parent gets one EN_CHANGE per set. A multi-line edit box does
// not send it by itself when its text is set (Windows and Wine alike), so
// the set operation sends it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/text_boundary.h"

namespace qsh {
namespace {

constexpr int kEditId = 230;
int changeNotices = 0;

LRESULT CALLBACK CountingParent(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == kEditId && HIWORD(wParam) == EN_CHANGE)
    ++changeNotices;
  return ::DefWindowProcA(window, message, wParam, lParam);
}

class EditBoxChangeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = CountingParent;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "QshEditChangeParent";
    ::RegisterClassA(&windowClass);
    parent_ = ::CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 200, 200,
                                nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(parent_, nullptr);
    // As 编辑框1: a hidden multi-line child without a text limit.
    editBox_ = ::CreateWindowExA(
        WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 0,
        0, 100, 100, parent_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)),
        windowClass.hInstance, nullptr);
    ASSERT_NE(editBox_, nullptr);
    ::SendMessageA(editBox_, EM_LIMITTEXT, 0, 0);
    changeNotices = 0;
  }
  void TearDown() override {
    if (parent_ != nullptr) ::DestroyWindow(parent_);
  }
  HWND parent_ = nullptr;
  HWND editBox_ = nullptr;
};

TEST_F(EditBoxChangeTest, EachSetRaisesTheContentChangedEventOnce) {
  std::string page = "软件版本：【V1.01】\r\n";
  for (int line = 0; line < 2000; ++line) page += "存档备份与还原说明，每行都不一样。\r\n";
  const std::string texts[] = {"该版本为最新版本", "", page, page};
  int sets = 0;
  for (const std::string& text : texts) {
    SetWindowTextOf(editBox_, text);
    ++sets;
    EXPECT_EQ(changeNotices, sets) << "after setting " << text.size() << " bytes";
    EXPECT_EQ(WindowTextOf(editBox_), text);
  }
  EXPECT_EQ(changeNotices, sets) << "reading the content back raised the event";
}

TEST_F(EditBoxChangeTest, AMultiLineEditBoxDoesNotNotifyWhenItsTextIsSetDirectly) {
  // Why the set operation raises the event itself.
  ::SetWindowTextA(editBox_, "set directly");
  EXPECT_EQ(changeNotices, 0);
}

TEST_F(EditBoxChangeTest, SettingTheTextOfAnotherControlRaisesNothing) {
  // The same style bit means something else to a button (a radio button).
  const HWND label = ::CreateWindowExA(0, "BUTTON", "", WS_CHILD | ES_MULTILINE, 0, 0, 50, 20,
                                       parent_, reinterpret_cast<HMENU>(kEditId),
                                       ::GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(label, nullptr);
  SetWindowTextOf(label, "标签");
  EXPECT_EQ(WindowTextOf(label), "标签");
  EXPECT_EQ(changeNotices, 0);
}

}  // namespace
}  // namespace qsh

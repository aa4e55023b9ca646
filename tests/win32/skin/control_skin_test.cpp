// Switching the skin on and off on real windows of this thread: which
// windows it takes over, when, how often, and what it gives back.
#include "shell/skin/control_skin.h"
#include "shell/skin/control_skin_testing.h"

#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "shell/skin/skin_state.h"
#include "tests/win32/skin/test_window.h"

namespace qsh::skin {
namespace {

using testing::CreateControl;
using testing::CreateHostWindow;
using testing::CreateNestedControls;
using testing::CreationNotices;
using testing::NestedControls;

LONG ProcedureOf(HWND window) { return ::GetWindowLongA(window, GWL_WNDPROC); }

class ControlSkinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(SkinHookInstalled()) << "a test before left the skin on";
    ASSERT_EQ(SkinRecordCount(), 0u);
    CreationNotices().clear();
  }
  void TearDown() override {
    SetSkinScheme(0);
    EXPECT_EQ(SkinRecordCount(), 0u);
  }
};

TEST_F(ControlSkinTest, SwitchingOnTakesOverTheGroupBoxesAndTheHiddenEditBox) {
  NestedControls layout = CreateNestedControls(false);
  ASSERT_NE(layout.hiddenEdit, nullptr);
  EXPECT_EQ(SetSkinScheme(2), 1);
  EXPECT_TRUE(SkinHookInstalled());
  EXPECT_EQ(CurrentSkinScheme(), 2);
  EXPECT_EQ(SkinKindOf(layout.groupBox1), SkinKind::GroupBox);
  EXPECT_EQ(SkinKindOf(layout.groupBox2), SkinKind::GroupBox);
  EXPECT_EQ(SkinKindOf(layout.groupBox3), SkinKind::GroupBox);
  EXPECT_EQ(SkinKindOf(layout.hiddenEdit), SkinKind::EditBox) << "a grandchild, and hidden";
  EXPECT_FALSE(IsSkinned(layout.host.get()));
  EXPECT_FALSE(IsSkinned(layout.plainChild));
  EXPECT_EQ(SkinRecordCount(), 4u);
  EXPECT_EQ(SkinStateOf(layout.hiddenEdit), 0u) << "enabled, not focused, not read-only";
}

TEST_F(ControlSkinTest, InitialFlagsFollowTheWindow) {
  testing::OwnedWindow host = CreateHostWindow(0, 0, 300, 200, true);
  HWND disabled = CreateControl(host.get(), "BUTTON", "a", WS_CHILD | WS_VISIBLE | WS_DISABLED, 0, 5, 5, 60, 20);
  HWND byDefault = CreateControl(host.get(), "BUTTON", "b", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, 0, 5, 30, 60, 20);
  HWND checked = CreateControl(host.get(), "BUTTON", "c", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 0, 5, 55, 60, 20);
  HWND mixed = CreateControl(host.get(), "BUTTON", "d", WS_CHILD | WS_VISIBLE | BS_AUTO3STATE, 0, 5, 80, 60, 20);
  HWND readOnly = CreateControl(host.get(), "EDIT", "", WS_CHILD | WS_VISIBLE | ES_READONLY, WS_EX_CLIENTEDGE, 80, 5, 80, 20);
  HWND focused = CreateControl(host.get(), "EDIT", "", WS_CHILD | WS_VISIBLE, WS_EX_CLIENTEDGE, 80, 30, 80, 20);
  ::SendMessageA(checked, BM_SETCHECK, BST_CHECKED, 0);
  ::SendMessageA(mixed, BM_SETCHECK, BST_INDETERMINATE, 0);
  ::SetFocus(focused);
  ASSERT_EQ(::GetFocus(), focused);

  SetSkinScheme(2);
  EXPECT_EQ(SkinStateOf(disabled), state::kDisabled);
  EXPECT_EQ(SkinStateOf(byDefault), state::kDefault);
  EXPECT_EQ(SkinStateOf(checked), state::kChecked);
  EXPECT_EQ(SkinKindOf(checked), SkinKind::CheckBox);
  EXPECT_EQ(SkinStateOf(mixed), state::kIndeterminate);
  EXPECT_EQ(SkinStateOf(readOnly), state::kReadOnly);
  EXPECT_EQ(SkinStateOf(focused), state::kFocused);
}

TEST_F(ControlSkinTest, AControlCreatedLaterIsTakenOverInItsCreate) {
  testing::OwnedWindow host = CreateHostWindow(0, 0, 300, 200, true);
  SetSkinScheme(2);
  HWND button = CreateControl(host.get(), "Button", "later", WS_CHILD | WS_VISIBLE, 0, 10, 10, 80, 24);
  ASSERT_NE(button, nullptr);
  // The parent hears of the child's creation right after its WM_CREATE.
  ASSERT_EQ(CreationNotices().size(), 1u);
  EXPECT_EQ(CreationNotices()[0].child, button);
  EXPECT_TRUE(CreationNotices()[0].skinnedAtCreation);
  EXPECT_EQ(SkinKindOf(button), SkinKind::PushButton);

  HWND label = CreateControl(host.get(), "STATIC", "not ours", WS_CHILD | WS_VISIBLE, 0, 10, 40, 80, 24);
  EXPECT_FALSE(IsSkinned(label));
  EXPECT_EQ(SkinRecordCount(), 1u);
}

TEST_F(ControlSkinTest, SwitchingOnAgainLeavesOneRecordPerWindow) {
  NestedControls layout = CreateNestedControls(true);
  const LONG original = ProcedureOf(layout.groupBox1);
  for (std::int32_t scheme : {2, 2, 1, 3, 2}) {
    EXPECT_EQ(SetSkinScheme(scheme), 1) << scheme;
    EXPECT_EQ(SkinRecordCount(), 4u) << scheme;
    EXPECT_EQ(CurrentSkinScheme(), scheme);
    EXPECT_NE(ProcedureOf(layout.groupBox1), original) << scheme;
  }
  // Taken over once only: giving back restores the control's own procedure,
  // not a second copy of the skin's.
  EXPECT_NE(SetSkinScheme(0), 0);
  EXPECT_EQ(ProcedureOf(layout.groupBox1), original);
  EXPECT_FALSE(IsSkinned(layout.groupBox1));
}

TEST_F(ControlSkinTest, DestroyingAControlRemovesItsRecord) {
  NestedControls layout = CreateNestedControls(true);
  SetSkinScheme(2);
  ASSERT_EQ(SkinRecordCount(), 4u);
  const HWND groupBox = layout.groupBox2;
  EXPECT_TRUE(::DestroyWindow(groupBox));
  EXPECT_FALSE(IsSkinned(groupBox));
  EXPECT_EQ(SkinRecordCount(), 3u);
  // Destroying the parent takes its skinned grandchild with it.
  EXPECT_TRUE(::DestroyWindow(layout.plainChild));
  EXPECT_FALSE(IsSkinned(layout.hiddenEdit));
  EXPECT_EQ(SkinRecordCount(), 2u);
  layout.host.reset();
  EXPECT_EQ(SkinRecordCount(), 0u);
}

TEST_F(ControlSkinTest, SwitchingOffGivesEverythingBackAndRemovesTheHook) {
  NestedControls layout = CreateNestedControls(true);
  const LONG groupOriginal = ProcedureOf(layout.groupBox3);
  const LONG editOriginal = ProcedureOf(layout.hiddenEdit);
  SetSkinScheme(2);
  EXPECT_EQ(SetSkinScheme(0), TRUE) << "the result of removing the hook";
  EXPECT_FALSE(SkinHookInstalled());
  EXPECT_EQ(SkinRecordCount(), 0u);
  EXPECT_EQ(ProcedureOf(layout.groupBox3), groupOriginal);
  EXPECT_EQ(ProcedureOf(layout.hiddenEdit), editOriginal);
  HWND later = CreateControl(layout.host.get(), "BUTTON", "x", WS_CHILD, 0, 0, 0, 10, 10);
  EXPECT_FALSE(IsSkinned(later)) << "no hook any more";

  EXPECT_EQ(SetSkinScheme(0), 0) << "not on";
  EXPECT_EQ(SetSkinScheme(4), 0) << "any other number is off";
  EXPECT_EQ(SetSkinScheme(-1), 0);
  EXPECT_EQ(CurrentSkinScheme(), -1);
}

// The program's windows are Unicode, so that no text passes the ANSI code
// page; the skin keeps each window in its own character set and gives back
// exactly the procedure it took.
TEST_F(ControlSkinTest, KeepsEachWindowInItsOwnCharacterSet) {
  testing::OwnedWindow host = CreateHostWindow(0, 0, 300, 200, true);
  HWND wide = ::CreateWindowExW(0, L"BUTTON", L"\u786e\u5b9a", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                5, 5, 80, 24, host.get(), nullptr, ::GetModuleHandleW(nullptr),
                                nullptr);
  HWND narrow = CreateControl(host.get(), "BUTTON", "OK", WS_CHILD | WS_VISIBLE, 0, 5, 40, 80, 24);
  ASSERT_NE(wide, nullptr);
  ASSERT_NE(narrow, nullptr);
  ASSERT_TRUE(::IsWindowUnicode(wide));
  ASSERT_FALSE(::IsWindowUnicode(narrow));
  const LONG wideOriginal = ::GetWindowLongW(wide, GWL_WNDPROC);
  const LONG narrowOriginal = ::GetWindowLongA(narrow, GWL_WNDPROC);

  SetSkinScheme(2);
  ASSERT_TRUE(IsSkinned(wide));
  ASSERT_TRUE(IsSkinned(narrow));
  EXPECT_TRUE(::IsWindowUnicode(wide));
  EXPECT_FALSE(::IsWindowUnicode(narrow));
  // Hangul has no form in code page 936 nor in most ANSI code pages: only a
  // Unicode road keeps it.
  const wchar_t* text = L"\uD655\uC778 \u786e\u5b9a";
  ::SendMessageW(wide, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  wchar_t readBack[32] = {};
  ::GetWindowTextW(wide, readBack, 32);
  EXPECT_STREQ(readBack, text);

  SetSkinScheme(0);
  EXPECT_EQ(::GetWindowLongW(wide, GWL_WNDPROC), wideOriginal);
  EXPECT_EQ(::GetWindowLongA(narrow, GWL_WNDPROC), narrowOriginal);
  EXPECT_TRUE(::IsWindowUnicode(wide));
  EXPECT_FALSE(::IsWindowUnicode(narrow));
}

TEST_F(ControlSkinTest, TakesOverTheKnownKindsOnly) {
  testing::OwnedWindow host = CreateHostWindow(0, 0, 400, 300, true);
  HWND h = host.get();
  struct Row {
    const char* label;
    HWND window;
    SkinKind expected;
  };
  const Row rows[] = {
      {"check box", CreateControl(h, "BUTTON", "c", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 0, 0, 0, 80, 20), SkinKind::CheckBox},
      {"radio", CreateControl(h, "BUTTON", "r", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, 0, 0, 20, 80, 20), SkinKind::RadioButton},
      {"push-like", CreateControl(h, "BUTTON", "p", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX | BS_PUSHLIKE, 0, 0, 40, 80, 20), SkinKind::PushButton},
      {"owner-drawn", CreateControl(h, "BUTTON", "o", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 0, 60, 80, 20), SkinKind::None},
      {"bare tab stop", CreateControl(h, "BUTTON", "", WS_CHILD | WS_TABSTOP, 0, 0, 80, 80, 20), SkinKind::None},
      {"combo box", CreateControl(h, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 0, 100, 0, 80, 100), SkinKind::ComboBox},
      {"simple combo box", CreateControl(h, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_SIMPLE, 0, 100, 30, 80, 100), SkinKind::None},
      {"list box", CreateControl(h, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 200, 0, 80, 60), SkinKind::None},
      {"scroll bar", CreateControl(h, "SCROLLBAR", "", WS_CHILD | WS_VISIBLE, 0, 200, 80, 80, 16), SkinKind::None},
      {"static", CreateControl(h, "STATIC", "s", WS_CHILD | WS_VISIBLE, 0, 200, 100, 80, 16), SkinKind::None},
  };
  SetSkinScheme(2);
  for (const Row& row : rows) {
    ASSERT_NE(row.window, nullptr) << row.label;
    EXPECT_EQ(SkinKindOf(row.window), row.expected) << row.label;
  }
  // The list of a combo box is a window of its own, a drop-down list.
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(::GetComboBoxInfo(rows[5].window, &info));
  EXPECT_EQ(SkinKindOf(info.hwndList), SkinKind::DropDownList);
}

TEST_F(ControlSkinTest, TheListOfAComboBoxCreatedLaterIsTakenOverToo) {
  testing::OwnedWindow host = CreateHostWindow(0, 0, 300, 200, true);
  SetSkinScheme(2);
  HWND combo = CreateControl(host.get(), "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, 0, 10, 10, 120, 100);
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(::GetComboBoxInfo(combo, &info));
  EXPECT_EQ(SkinKindOf(combo), SkinKind::ComboBox);
  EXPECT_EQ(SkinKindOf(info.hwndList), SkinKind::DropDownList);
  EXPECT_EQ(SkinKindOf(info.hwndItem), SkinKind::EditBox) << "its edit field";
}

TEST_F(ControlSkinTest, OnlyTheCallingThreadsWindowsAreReached) {
  std::promise<HWND> created;
  std::promise<void> checked;
  std::shared_future<void> checkedDone = checked.get_future().share();
  std::promise<HWND> createdLater;
  std::promise<void> goOn;
  std::shared_future<void> goOnSignal = goOn.get_future().share();
  std::thread other([&] {
    testing::OwnedWindow window = CreateHostWindow(0, 0, 200, 100, false);
    created.set_value(CreateControl(window.get(), "BUTTON", "other", WS_CHILD, 0, 0, 0, 50, 20));
    goOnSignal.wait();
    createdLater.set_value(CreateControl(window.get(), "BUTTON", "later", WS_CHILD, 0, 0, 30, 50, 20));
    checkedDone.wait();
  });
  HWND before = created.get_future().get();
  SetSkinScheme(2);
  goOn.set_value();
  HWND later = createdLater.get_future().get();
  EXPECT_NE(before, nullptr);
  EXPECT_NE(later, nullptr);
  EXPECT_FALSE(IsSkinned(before)) << "the enumeration keeps to this thread";
  EXPECT_FALSE(IsSkinned(later)) << "the hook keeps to this thread";
  EXPECT_EQ(SkinRecordCount(), 0u);
  checked.set_value();
  other.join();
}

TEST_F(ControlSkinTest, StateFlagsFollowWhatTheControlIsSent) {
  testing::OwnedWindow host = CreateHostWindow(0, 0, 300, 200, true);
  HWND button = CreateControl(host.get(), "BUTTON", "x", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 10, 10, 80, 24);
  HWND check = CreateControl(host.get(), "BUTTON", "y", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 0, 10, 40, 80, 24);
  SetSkinScheme(2);
  ::SetFocus(button);
  EXPECT_EQ(SkinStateOf(button), state::kFocused);
  ::SendMessageA(button, BM_SETSTATE, TRUE, 0);
  EXPECT_EQ(SkinStateOf(button), state::kFocused | state::kPressed);
  EXPECT_NE(::SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0) << "the button heard it too";
  ::SendMessageA(button, BM_SETSTATE, FALSE, 0);
  ::SendMessageA(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  EXPECT_EQ(SkinStateOf(button), state::kFocused | state::kDefault);
  ::EnableWindow(button, FALSE);
  EXPECT_TRUE(SkinStateOf(button) & state::kDisabled);
  ::EnableWindow(button, TRUE);
  EXPECT_FALSE(SkinStateOf(button) & state::kDisabled);

  // A click through the check box's own procedure: it checks itself.
  ::SendMessageA(check, BM_CLICK, 0, 0);
  EXPECT_EQ(::SendMessageA(check, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(SkinStateOf(check) & state::kChecked);
  EXPECT_TRUE(SkinStateOf(check) & state::kFocused) << "the click took the focus";
  EXPECT_FALSE(SkinStateOf(button) & state::kFocused);

  // WM_SETTEXT bypasses the button but still sets the text.
  EXPECT_TRUE(::SetWindowTextA(button, "新文字"));
  char text[32] = {};
  ::GetWindowTextA(button, text, sizeof(text));
  EXPECT_STREQ(text, "新文字");
}

}  // namespace
}  // namespace qsh::skin

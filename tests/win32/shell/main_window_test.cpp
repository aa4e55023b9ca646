// The real main window: its skin, its group boxes and message box as the
// user sees them, its link rows, and a relayed hotkey press.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "platform/text_boundary.h"
#include "shell/event_handlers.h"
#include "shell/program.h"
#include "shell/skin/control_skin.h"
#include "shell/skin/skin_colours.h"
#include "shell/skin/skin_state.h"
#include "tests/win32/saveset/test_files.h"
#include "tests/win32/shell/real_main_window.h"
#include "tests/win32/skin/capture.h"
#include "tests/win32/skin/test_window.h"

namespace qsh {
namespace {

using skin::Rgb;
using skin::testing::CaptureWindow;
using skin::testing::Image;
using skin::testing::Near;

constexpr Rgb kGroupFrame{191, 184, 191};
constexpr Rgb kButtonFrame{55, 98, 6};

constexpr std::array kGroupBoxes{ControlIndex("分组框1"), ControlIndex("分组框2"),
                                 ControlIndex("分组框3")};

Rgb Face() { return skin::FromColourValue(::GetSysColor(COLOR_BTNFACE)); }

class RealMainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(testing::RealMainWindow(), nullptr) << "the real main window could not be made";
  }
};

TEST_F(RealMainWindowTest, StartUpSwitchesTheSkinOnForEveryGroupBox) {
  EXPECT_EQ(skin::CurrentSkinScheme(), 2);
  EXPECT_TRUE(skin::SkinHookInstalled());
  for (const std::size_t index : kGroupBoxes) {
    const HWND box = testing::RealControl(index);
    EXPECT_TRUE(skin::IsSkinned(box)) << kMainWindowControls[index].name;
    EXPECT_EQ(skin::SkinKindOf(box), skin::SkinKind::GroupBox) << kMainWindowControls[index].name;
  }
}

TEST_F(RealMainWindowTest, GroupBoxesAreDrawnFlatWithRoundedCorners) {
  ASSERT_TRUE(skin::testing::PumpUntilPainted(testing::RealMainWindow()));
  const Rgb face = Face();
  for (const std::size_t index : kGroupBoxes) {
    const std::string name(kMainWindowControls[index].name);
    const Image image = CaptureWindow(testing::RealControl(index));
    const ControlPlace place = kMainWindowControls[index].place;
    ASSERT_EQ(image.width(), place.width) << name;
    ASSERT_EQ(image.height(), place.height) << name;
    const int w = image.width(), h = image.height();
    // One flat line of the frame colour, the face right inside it.
    EXPECT_EQ(image.At(0, h / 2), kGroupFrame) << name << ": left edge";
    EXPECT_EQ(image.At(w - 1, h / 2), kGroupFrame) << name << ": right edge";
    EXPECT_EQ(image.At(w / 2, h - 1), kGroupFrame) << name << ": bottom edge";
    EXPECT_EQ(image.At(1, h / 2), face) << name << ": inside the left edge";
    EXPECT_EQ(image.At(w / 2, h - 2), face) << name << ": inside the bottom edge";
    // Rounded: the very corners show the background.
    EXPECT_EQ(image.At(0, h - 1), face) << name << ": bottom-left corner";
    EXPECT_EQ(image.At(w - 1, h - 1), face) << name << ": bottom-right corner";
    EXPECT_EQ(image.At(1, h - 2), face) << name << ": bottom-left corner";
    if (HasFailure()) ADD_FAILURE() << "saved as " << skin::testing::SaveForFailure(image, name);
  }
}

// What the timer saw of the program's message box, from inside its modal loop.
struct BoxProbe {
  ULONGLONG deadline = 0;
  bool done = false;
  bool sawBox = false;
  bool skinned = false;
  skin::SkinKind kind = skin::SkinKind::None;
  Image button;
};
BoxProbe* activeProbe = nullptr;

void CALLBACK LookAtTheBox(HWND, UINT, UINT_PTR, DWORD) {
  BoxProbe& probe = *activeProbe;
  if (probe.done) return;
  HWND box = ::FindWindowA("#32770", "信息：");
  HWND button = box != nullptr ? ::GetDlgItem(box, IDOK) : nullptr;
  const bool ready = button != nullptr && ::IsWindowVisible(button) &&
                     !::GetUpdateRect(box, nullptr, FALSE) && !::GetUpdateRect(button, nullptr, FALSE);
  if (!ready) {
    if (::GetTickCount64() >= probe.deadline) {
      probe.done = true;  // give up: close whatever dialog is open; the test reports it
      HWND anyBox = box != nullptr ? box : ::FindWindowA("#32770", nullptr);
      if (anyBox != nullptr) ::PostMessageA(anyBox, WM_CLOSE, 0, 0);
    }
    return;
  }
  probe.done = true;
  probe.sawBox = true;
  probe.skinned = skin::IsSkinned(button);
  probe.kind = skin::SkinKindOf(button);
  probe.button = CaptureWindow(button);
  ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

TEST_F(RealMainWindowTest, TheProgramsMessageBoxHasASkinnedOkButton) {
  BoxProbe probe;
  probe.deadline = ::GetTickCount64() + 10000;
  activeProbe = &probe;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 30, LookAtTheBox);
  ASSERT_NE(timer, 0u);
  ShowMessage("该版本为最新版本");
  ::KillTimer(nullptr, timer);
  activeProbe = nullptr;

  ASSERT_TRUE(probe.sawBox) << "the program's message box never showed a painted OK button";
  EXPECT_TRUE(probe.skinned);
  EXPECT_EQ(probe.kind, skin::SkinKind::PushButton);
  const Image& image = probe.button;
  ASSERT_GT(image.width(), 20);
  ASSERT_GT(image.height(), 12);
  EXPECT_EQ(image.At(image.width() / 2, 1), kButtonFrame) << "the flat frame along the top";
  EXPECT_EQ(image.At(1, 1), Face()) << "a rounded corner";
  if (HasFailure()) ADD_FAILURE() << "saved as " << skin::testing::SaveForFailure(image, "message-box-ok");
}

// Counts the content-changed notices of 编辑框1 that reach a window, then
// lets the window's own procedure have them.
struct NoticeCounter {
  WNDPROC own = nullptr;
  int notices = 0;
};
NoticeCounter pictureBoxNotices, mainWindowNotices;

LRESULT Count(NoticeCounter& counter, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE &&
      LOWORD(wParam) == kMainWindowControls[ControlIndex("编辑框1")].id)
    ++counter.notices;
  return ::CallWindowProcA(counter.own, window, message, wParam, lParam);
}
LRESULT CALLBACK CountAtPictureBox(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Count(pictureBoxNotices, window, message, wParam, lParam);
}
LRESULT CALLBACK CountAtMainWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Count(mainWindowNotices, window, message, wParam, lParam);
}

WNDPROC PutInFront(HWND window, WNDPROC procedure) {
  return reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

TEST_F(RealMainWindowTest, SettingTheShownTextRaisesItsContentChangedEventOnceForItsHandler) {
  const ControlRow& row = kMainWindowControls[ControlIndex("编辑框1")];
  EXPECT_EQ(row.onContentChanged, OnShownTextChanged);
  const HWND editBox = testing::RealControl(ControlIndex("编辑框1"));
  const HWND pictureBox = testing::RealControl(ControlIndex("图片框1"));
  const HWND mainWindow = testing::RealMainWindow();
  ASSERT_EQ(::GetParent(editBox), pictureBox);
  pictureBoxNotices = {PutInFront(pictureBox, CountAtPictureBox), 0};
  mainWindowNotices = {PutInFront(mainWindow, CountAtMainWindow), 0};
  ASSERT_NE(pictureBoxNotices.own, nullptr);
  ASSERT_NE(mainWindowNotices.own, nullptr);

  SetWindowTextOf(editBox, "软件版本：【V1.01】");
  const std::string shown = WindowTextOf(editBox);
  const int atPictureBox = pictureBoxNotices.notices;
  const int atMainWindow = mainWindowNotices.notices;
  PutInFront(pictureBox, pictureBoxNotices.own);
  PutInFront(mainWindow, mainWindowNotices.own);
  SetWindowTextOf(editBox, "");

  EXPECT_EQ(shown, "软件版本：【V1.01】");
  EXPECT_EQ(atPictureBox, 1) << "the event reaches 编辑框1's container once per set";
  EXPECT_EQ(atMainWindow, 0) << "图片框1 passed the event on instead of running the row's handler";
}

TEST(WindowDescriptionTest, TheForumLinksAreTheThreeLabels) {
  struct Link {
    std::string_view name;
    ButtonDownHandler handler;
  };
  std::vector<std::string_view> opening;
  for (const ControlRow& row : kMainWindowControls) {
    if (row.onButtonDown == OnFeedbackLabelPressed || row.onButtonDown == OnBoardLabelPressed ||
        row.onButtonDown == OnForumIndexLabelPressed)
      opening.push_back(row.name);
  }
  EXPECT_EQ(opening, (std::vector<std::string_view>{"透明标签6", "透明标签5", "透明标签8"}));
  for (const Link& link : {Link{"透明标签8", OnFeedbackLabelPressed}, Link{"透明标签6", OnBoardLabelPressed},
                           Link{"透明标签5", OnForumIndexLabelPressed}}) {
    const ControlRow& row = kMainWindowControls[FindControl(link.name)];
    EXPECT_EQ(row.onButtonDown, link.handler) << link.name;
    EXPECT_EQ(row.pointer, PointerShape::Hand) << link.name;
  }
}

TEST_F(RealMainWindowTest, AHotkeyPressReachesTheBackupThroughTheRelay) {
  const Program& program = TheProgram();
  ASSERT_NE(program.backupHotkeyId, 0) << "F9 could not be registered here";
  const std::wstring copy = testing::RealRunDirectory() + L"\\Savecopy\\GameSave_Slot0.sav";
  ASSERT_FALSE(testing::ReadWholeFile(copy).has_value());
  // As the system delivers it: to the main window, whose relay sends it on.
  ::SendMessageA(testing::RealMainWindow(), WM_HOTKEY, static_cast<WPARAM>(program.backupHotkeyId), 0);
  EXPECT_EQ(testing::ReadWholeFile(copy), std::optional<std::string>("slot 0"));
  // An id this process never handed out is not relayed.
  testing::WriteWholeFile(testing::RealRunDirectory() + L"\\GameSave_Slot0.sav", "changed");
  ::SendMessageA(testing::RealMainWindow(), WM_HOTKEY, 32000, 0);
  EXPECT_EQ(testing::ReadWholeFile(copy), std::optional<std::string>("slot 0"));
  testing::WriteWholeFile(testing::RealRunDirectory() + L"\\GameSave_Slot0.sav", "slot 0");
}

}  // namespace
}  // namespace qsh

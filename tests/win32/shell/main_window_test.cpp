// The real main window: its skin, its group boxes, hidden edit box and
// message box as the user sees them, its link rows, and a relayed hotkey
// press.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "platform/text_boundary.h"
#include "shell/event_handlers.h"
#include "shell/program.h"
#include "shell/skin/control_skin_testing.h"
#include "shell/skin/skin_colours.h"
#include "shell/skin/skin_state.h"
#include "tests/win32/saveset/test_files.h"
#include "tests/win32/shell/real_main_window.h"
#include "tests/win32/skin/capture.h"
#include "tests/win32/skin/ink.h"
#include "tests/win32/skin/test_window.h"

namespace qsh {
namespace {

using skin::Rgb;
using skin::testing::CaptureWindow;
using skin::testing::Image;
using skin::testing::Face;
using skin::testing::FindInk;
using skin::testing::Ink;
using skin::testing::IsCaptionInk;
using skin::testing::kGroupFrame;
using skin::testing::Near;

constexpr Rgb kButtonFrame{55, 98, 6};
constexpr Rgb kEditFrame{164, 185, 127};

constexpr std::array kGroupBoxes{ControlIndex("分组框1"), ControlIndex("分组框2"),
                                 ControlIndex("分组框3")};

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

TEST_F(RealMainWindowTest, GroupBoxShowsAFlatRoundedFrameBrokenUnderItsCaption) {
  const HWND groupBox = testing::RealControl(ControlIndex("分组框1"));
  ASSERT_EQ(kMainWindowControls[ControlIndex("分组框1")].text, "功能说明");
  ASSERT_TRUE(skin::testing::PumpUntilPainted(testing::RealMainWindow())) << "the window never finished painting";
  const Image image = CaptureWindow(groupBox);
  ASSERT_EQ(image.width(), 352);
  ASSERT_EQ(image.height(), 232);
  const SIZE caption = skin::testing::MeasureWithGuiFont("功能说明");
  const int w = 352, h = 232, m = caption.cy / 2, cw = caption.cx;
  ASSERT_GT(cw, 20);
  const Rgb face = Face();

  EXPECT_EQ(image.At(0, 0), face) << "the background of the band above the frame";
  for (int y = m + 3; y <= h - 4; ++y) {
    EXPECT_EQ(image.At(0, y), kGroupFrame) << "left edge, y " << y;
    EXPECT_EQ(image.At(w - 1, y), kGroupFrame) << "right edge, y " << y;
  }
  for (int x = 3; x <= w - 4; ++x) EXPECT_EQ(image.At(x, h - 1), kGroupFrame) << "bottom edge, x " << x;
  for (int x = 3; x <= 7; ++x) EXPECT_EQ(image.At(x, m), kGroupFrame) << "top edge before the caption, x " << x;
  for (int x = cw + 10; x <= w - 4; ++x) EXPECT_EQ(image.At(x, m), kGroupFrame) << "top edge after the caption, x " << x;
  // Only one pixel wide: inside the frame, the band and the background.
  EXPECT_EQ(image.At(w / 2, m + 1), face);
  EXPECT_EQ(image.At(1, h / 2), face);
  EXPECT_EQ(image.At(w / 2, h - 2), face);
  EXPECT_EQ(image.At(w / 2, m - 1), face);
  EXPECT_EQ(image.At(w / 2, h / 2), face) << "the interior, as the box itself erased it";

  // Rounded corners: five pixels of background, two of frame, at each corner.
  struct CornerPixel {
    int x, y;
    bool frame;
  };
  const std::vector<CornerPixel> topLeft{{0, 0, false}, {0, 1, false}, {0, 2, false}, {1, 0, false},
                                         {2, 0, false}, {2, 1, true},  {1, 2, true}};
  for (const CornerPixel& p : topLeft) {
    const int mirroredX = w - 1 - p.x;
    const int mirroredY = h - 1 - p.y;
    const Rgb expected = p.frame ? kGroupFrame : face;
    EXPECT_EQ(image.At(p.x, m + p.y), expected) << "top-left " << p.x << "," << p.y;
    EXPECT_EQ(image.At(mirroredX, m + p.y), expected) << "top-right " << p.x << "," << p.y;
    EXPECT_EQ(image.At(p.x, mirroredY), expected) << "bottom-left " << p.x << "," << p.y;
    EXPECT_EQ(image.At(mirroredX, mirroredY), expected) << "bottom-right " << p.x << "," << p.y;
  }

  // The frame line is broken under the caption, from x = 8 to cw + 9.
  for (int x = 8; x <= cw + 9; ++x) EXPECT_NE(image.At(x, m), kGroupFrame) << "under the caption, x " << x;

  // The caption, black, from x = 9 on.
  const Ink ink = FindInk(image, 0, 0, w, caption.cy + 2, IsCaptionInk);
  ASSERT_TRUE(ink.found) << "no caption";
  EXPECT_GE(ink.left, 9);
  EXPECT_LE(ink.left, 11) << "the caption starts at x = 9";
  EXPECT_LE(ink.right, 9 + cw);
  EXPECT_TRUE(Near(ink.darkest, Rgb{0, 0, 0}, 24)) << ink.darkest;
  if (HasFailure()) ADD_FAILURE() << "saved as " << skin::testing::SaveForFailure(image, "group-box-1");
  skin::testing::HoldForScreenshot();
}

// How it looks once shown is checked on a test window (tests/win32/skin):
// the program's 编辑框1 lies partly outside its container and the client
// area, so the top and bottom of its frame cannot be seen here.
TEST_F(RealMainWindowTest, TheHiddenEditBoxIsNeverDrawn) {
  const HWND editBox = testing::RealControl(ControlIndex("编辑框1"));
  const HWND pictureBox = testing::RealControl(ControlIndex("图片框1"));
  ASSERT_FALSE(::IsWindowVisible(editBox)) << "编辑框1 starts hidden";
  ASSERT_TRUE(skin::IsSkinned(editBox));
  // Paint requests straight to the hidden box: the skin draws nothing.
  ::SendMessageA(editBox, WM_NCPAINT, 1, 0);
  ::SendMessageA(editBox, WM_PAINT, 0, 0);
  ASSERT_TRUE(skin::testing::PumpUntilPainted(testing::RealMainWindow()));
  const Image image = CaptureWindow(pictureBox);
  int framePixels = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) framePixels += image.At(x, y) == kEditFrame ? 1 : 0;
  EXPECT_EQ(framePixels, 0);
  if (HasFailure()) ADD_FAILURE() << "saved as " << skin::testing::SaveForFailure(image, "picture-box-hidden-edit");
}

// What the timer saw of the program's message box, from inside its modal
// loop: its OK button is created inside the message box call, on this
// thread, so the skin's hook takes it over in its WM_CREATE.
struct BoxProbe {
  ULONGLONG deadline = 0;
  bool done = false;  // the box has been looked at and told to close
  bool sawBox = false;
  bool skinned = false;
  skin::SkinKind kind = skin::SkinKind::None;
  std::uint32_t flags = 0;
  Image button;
  std::size_t recordsWhileOpen = 0;
};
BoxProbe* activeProbe = nullptr;

bool ButtonIsReady(HWND box, HWND button) {
  return ::IsWindowVisible(box) && ::IsWindowVisible(button) && !::GetUpdateRect(box, nullptr, FALSE) &&
         !::GetUpdateRect(button, nullptr, FALSE) && (skin::SkinStateOf(button) & skin::state::kFocused) != 0;
}

void CALLBACK LookAtTheBox(HWND, UINT, UINT_PTR, DWORD) {
  BoxProbe& probe = *activeProbe;
  if (probe.done) return;  // a tick that arrives while the box is closing
  HWND box = ::FindWindowA("#32770", "信息：");
  HWND button = box != nullptr ? ::GetDlgItem(box, IDOK) : nullptr;
  if (button == nullptr || !ButtonIsReady(box, button)) {
    if (::GetTickCount64() >= probe.deadline) {
      probe.done = true;  // give up: close whatever dialog is open; the test reports it
      HWND anyBox = box != nullptr ? box : ::FindWindowA("#32770", nullptr);
      if (anyBox != nullptr) ::PostMessageA(anyBox, WM_CLOSE, 0, 0);
    }
    return;  // look again at the next tick
  }
  probe.done = true;
  probe.sawBox = true;
  probe.skinned = skin::IsSkinned(button);
  probe.kind = skin::SkinKindOf(button);
  probe.flags = skin::SkinStateOf(button);
  probe.recordsWhileOpen = skin::SkinRecordCount();
  probe.button = CaptureWindow(button);
  skin::testing::HoldForScreenshot();
  ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

// The real program's message box, shown with the skin that start-up
// switched on: removing that switch fails here.
TEST_F(RealMainWindowTest, TheProgramsMessageBoxHasASkinnedOkButton) {
  ASSERT_EQ(skin::CurrentSkinScheme(), 2);
  const std::size_t recordsBefore = skin::SkinRecordCount();
  BoxProbe probe;
  probe.deadline = ::GetTickCount64() + 10000;
  activeProbe = &probe;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 30, LookAtTheBox);
  ASSERT_NE(timer, 0u);
  ShowMessage("运行位置不对！");
  ::KillTimer(nullptr, timer);
  activeProbe = nullptr;

  ASSERT_TRUE(probe.sawBox) << "the program's message box never showed a painted, focused OK button";
  EXPECT_TRUE(probe.skinned);
  EXPECT_EQ(probe.kind, skin::SkinKind::PushButton);
  EXPECT_EQ(probe.flags & (skin::state::kFocused | skin::state::kDefault),
            skin::state::kFocused | skin::state::kDefault);
  EXPECT_GE(probe.recordsWhileOpen, recordsBefore + 1);
  EXPECT_EQ(skin::SkinRecordCount(), recordsBefore)
      << "the box's buttons are gone, and their records with them";

  const Image& image = probe.button;
  ASSERT_GT(image.width(), 20);
  ASSERT_GT(image.height(), 12);
  const int w = image.width();
  const int h = image.height();
  const Rgb face = Face();
  struct Pixel {
    int x, y;
    Rgb colour;
    int tolerance;
  };
  for (const Pixel& p : {
           Pixel{w / 2, 1, kButtonFrame, 0}, Pixel{1, h / 2, kButtonFrame, 0}, Pixel{w - 2, h / 2, kButtonFrame, 0},
           Pixel{w / 2, h - 2, kButtonFrame, 0}, Pixel{1, 1, face, 0}, Pixel{w - 2, h - 2, face, 0},
           Pixel{2, 2, kButtonFrame, 0}, Pixel{w - 3, h - 3, kButtonFrame, 0},
           // The ends of the gradients show the scheme's colours exactly.
           Pixel{w / 2, 2, Rgb{255, 240, 207}, 0}, Pixel{w / 2, h - 3, Rgb{229, 151, 0}, 0},
           Pixel{6, 4, Rgb{252, 252, 251}, 0}, Pixel{6, h - 5, Rgb{236, 225, 201}, 0},
       }) {
    EXPECT_TRUE(Near(image.At(p.x, p.y), p.colour, p.tolerance))
        << "at " << p.x << "," << p.y << ": " << image.At(p.x, p.y) << ", expected " << p.colour;
  }
  // The focus rectangle: along row 3 the ring's colour is broken by dots.
  int broken = 0;
  const Rgb ringRow3 = image.At(w / 2 + 1, 2);  // a reference just above
  for (int x = 4; x < w - 4; ++x) broken += Near(image.At(x, 3), ringRow3, 12) ? 0 : 1;
  EXPECT_GE(broken, (w - 8) / 3) << "no dotted focus rectangle on row 3";
  // Black text in the middle.
  bool black = false;
  for (int y = 4; y < h - 4; ++y)
    for (int x = 4; x < w - 4; ++x) black = black || Near(image.At(x, y), Rgb{0, 0, 0}, 40);
  EXPECT_TRUE(black) << "no black caption";
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

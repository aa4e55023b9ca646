// A real message box opened while the skin is on: its OK button is created
// inside MessageBoxA, on this thread, so the hook takes it over in its
// WM_CREATE. A timer looks at the box from inside the box's modal loop.
#include <gtest/gtest.h>

#include <string>

#include "shell/skin/control_skin.h"
#include "shell/skin/skin_state.h"
#include "tests/win32/skin/capture.h"
#include "tests/win32/skin/test_window.h"

namespace qsh::skin {
namespace {

using testing::Image;
using testing::Near;

constexpr char kCaption[] = "信息：";

// What the timer saw; filled from inside the modal loop.
struct BoxProbe {
  ULONGLONG deadline = 0;
  bool done = false;  // the box has been looked at and told to close
  bool sawBox = false;
  bool skinned = false;
  SkinKind kind = SkinKind::None;
  std::uint32_t flags = 0;
  Image button;
  std::size_t recordsWhileOpen = 0;
};
BoxProbe* activeProbe = nullptr;

bool ButtonIsReady(HWND box, HWND button) {
  return ::IsWindowVisible(box) && ::IsWindowVisible(button) && !::GetUpdateRect(box, nullptr, FALSE) &&
         !::GetUpdateRect(button, nullptr, FALSE) && (SkinStateOf(button) & state::kFocused) != 0;
}

void CALLBACK LookAtTheBox(HWND, UINT, UINT_PTR, DWORD) {
  BoxProbe& probe = *activeProbe;
  if (probe.done) return;  // a tick that arrives while the box is closing
  HWND box = ::FindWindowA("#32770", kCaption);
  HWND button = box != nullptr ? ::GetDlgItem(box, IDOK) : nullptr;
  if (button == nullptr || !ButtonIsReady(box, button)) {
    if (::GetTickCount64() >= probe.deadline) {
      // Give up: close whatever dialog is open, and the test reports it.
      probe.done = true;
      HWND anyBox = box != nullptr ? box : ::FindWindowA("#32770", nullptr);
      if (anyBox != nullptr) ::PostMessageA(anyBox, WM_CLOSE, 0, 0);
    }
    return;  // look again at the next tick
  }
  probe.done = true;
  probe.sawBox = true;
  probe.skinned = IsSkinned(button);
  probe.kind = SkinKindOf(button);
  probe.flags = SkinStateOf(button);
  probe.recordsWhileOpen = SkinRecordCount();
  probe.button = testing::CaptureWindow(button);
  testing::HoldForScreenshot();
  ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

TEST(MessageBoxSkinTest, TheOkButtonOfAMessageBoxIsSkinned) {
  ASSERT_EQ(SkinRecordCount(), 0u);
  ASSERT_EQ(SetSkinScheme(2), 1);
  BoxProbe probe;
  probe.deadline = ::GetTickCount64() + 10000;
  activeProbe = &probe;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 30, LookAtTheBox);
  ASSERT_NE(timer, 0u);
  const int answer = ::MessageBoxA(nullptr, "运行位置不对！", kCaption, MB_OK | MB_TASKMODAL);
  ::KillTimer(nullptr, timer);
  activeProbe = nullptr;

  EXPECT_EQ(answer, IDOK);
  ASSERT_TRUE(probe.sawBox) << "the box never showed a painted, focused OK button";
  EXPECT_TRUE(probe.skinned);
  EXPECT_EQ(probe.kind, SkinKind::PushButton);
  EXPECT_EQ(probe.flags & (state::kFocused | state::kDefault), state::kFocused | state::kDefault);
  EXPECT_GE(probe.recordsWhileOpen, 1u);
  EXPECT_EQ(SkinRecordCount(), 0u) << "the box's buttons are gone, and their records with them";

  const Image& image = probe.button;
  ASSERT_GT(image.width(), 20);
  ASSERT_GT(image.height(), 12);
  const int w = image.width();
  const int h = image.height();
  const Rgb frame{55, 98, 6};
  const Rgb face = FromColourValue(::GetSysColor(COLOR_BTNFACE));
  struct Pixel {
    int x, y;
    Rgb colour;
    int tolerance;
  };
  for (const Pixel& p : {
           Pixel{w / 2, 1, frame, 0}, Pixel{1, h / 2, frame, 0}, Pixel{w - 2, h / 2, frame, 0},
           Pixel{w / 2, h - 2, frame, 0}, Pixel{1, 1, face, 0}, Pixel{w - 2, h - 2, face, 0},
           Pixel{2, 2, frame, 0}, Pixel{w - 3, h - 3, frame, 0},
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
  if (HasFailure()) ADD_FAILURE() << "saved as " << testing::SaveForFailure(image, "message-box-ok");
  SetSkinScheme(0);
}

}  // namespace
}  // namespace qsh::skin

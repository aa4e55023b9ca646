// What the skinned controls look like on the screen, checked at chosen
// pixels (fonts differ from one machine to the next, so never as a whole).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "shell/skin/control_skin.h"
#include "shell/skin/control_skin_testing.h"
#include "shell/skin/skin_colours.h"
#include "shell/skin/skin_state.h"
#include "tests/win32/skin/capture.h"
#include "tests/win32/skin/ink.h"
#include "tests/win32/skin/test_window.h"

namespace qsh::skin {
namespace {

using testing::CaptureWindow;
using testing::CreateControl;
using testing::CreateHostWindow;
using testing::Face;
using testing::FindInk;
using testing::Ink;
using testing::IsCaptionInk;
using testing::kGroupFrame;
using testing::Image;
using testing::Near;
using testing::OwnedWindow;

constexpr Rgb kEditFrame{164, 185, 127};
constexpr Rgb kButtonFrame{55, 98, 6};
constexpr Rgb kOrangeTop{255, 240, 207};
constexpr Rgb kOrangeBottom{229, 151, 0};
constexpr Rgb kInnerTop{252, 252, 251};
constexpr Rgb kInnerBottom{236, 225, 201};
constexpr Rgb kNormalTop{255, 255, 255};
constexpr Rgb kNormalBottom{226, 223, 214};
constexpr Rgb kPressed{239, 227, 206};
constexpr Rgb kDisabledFill{245, 244, 234};
// The first and last rows of a gradient show its end colours exactly; in
// between, GradientFill may round a little differently from our own.
constexpr int kExact = 0;
constexpr int kGradientTolerance = 2;

Rgb FaceDarkenedBy(std::uint32_t amount) { return FromColourValue(DarkenFace(::GetSysColor(COLOR_BTNFACE), amount)); }

class SkinDrawingTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(SkinRecordCount(), 0u); }
  void TearDown() override {
    if (HasFailure()) {
      for (const auto& [name, image] : shots_) ADD_FAILURE() << name << " saved as " << testing::SaveForFailure(image, name);
    }
    SetSkinScheme(0);
  }
  Image Shoot(HWND window, const std::string& name) {
    Image image = CaptureWindow(window);
    shots_.emplace_back(name, image);
    return image;
  }

 private:
  std::vector<std::pair<std::string, Image>> shots_;
};

// --- Group boxes -----------------------------------------------------------

TEST_F(SkinDrawingTest, CentredAndRightCaptionsBreakTheLineWhereTheyStand) {
  OwnedWindow host = CreateHostWindow(0, 0, 500, 200, true);
  HWND centred = CreateControl(host.get(), "BUTTON", "版本更新", WS_CHILD | WS_VISIBLE | BS_GROUPBOX | BS_CENTER, 0,
                               10, 10, 221, 80);
  HWND right = CreateControl(host.get(), "BUTTON", "版本更新", WS_CHILD | WS_VISIBLE | BS_GROUPBOX | BS_RIGHT, 0,
                             250, 10, 221, 80);
  SetSkinScheme(2);
  ASSERT_TRUE(testing::PumpUntilPainted(host.get()));
  const SIZE caption = testing::MeasureWithGuiFont("版本更新");
  const int w = 221, m = caption.cy / 2, cw = caption.cx;

  const Image centre = Shoot(centred, "group-centred");
  const int left = (w - cw) / 2;
  EXPECT_EQ(centre.At(left - 7, m), kGroupFrame);
  for (int x = left - 5; x <= left + cw + 4; ++x) EXPECT_NE(centre.At(x, m), kGroupFrame) << "centred, x " << x;
  EXPECT_EQ(centre.At(left + cw + 7, m), kGroupFrame);
  const Ink centreInk = FindInk(centre, 0, 0, w, caption.cy, IsCaptionInk);
  ASSERT_TRUE(centreInk.found);
  EXPECT_NEAR((centreInk.left + centreInk.right) / 2, w / 2, 3);

  const Image image = Shoot(right, "group-right");
  for (int x = w - 10 - cw; x <= w - 11; ++x) EXPECT_NE(image.At(x, m), kGroupFrame) << "right, x " << x;
  EXPECT_EQ(image.At(w - 8, m), kGroupFrame);
  EXPECT_EQ(image.At(w - 12 - cw, m), kGroupFrame);
  const Ink rightInk = FindInk(image, 0, 0, w, caption.cy, IsCaptionInk);
  ASSERT_TRUE(rightInk.found);
  EXPECT_LE(rightInk.right, w - 11);
  EXPECT_GE(rightInk.right, w - 14);
}

// --- Edit boxes ------------------------------------------------------------

TEST_F(SkinDrawingTest, TheHiddenEditBoxIsNeverDrawnUntilItIsShown) {
  testing::NestedControls layout = testing::CreateNestedControls(true);
  SetSkinScheme(2);
  ASSERT_TRUE(IsSkinned(layout.hiddenEdit));
  // Paint requests straight to the hidden box: the skin draws nothing.
  ::SendMessageA(layout.hiddenEdit, WM_NCPAINT, 1, 0);
  ::SendMessageA(layout.hiddenEdit, WM_PAINT, 0, 0);
  ASSERT_TRUE(testing::PumpUntilPainted(layout.host.get()));
  auto countFramePixels = [](const Image& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) count += image.At(x, y) == kEditFrame ? 1 : 0;
    return count;
  };
  EXPECT_EQ(countFramePixels(Shoot(layout.plainChild, "plain-child-hidden-edit")), 0);

  ::ShowWindow(layout.hiddenEdit, SW_SHOW);
  ASSERT_TRUE(testing::PumpUntilPainted(layout.host.get()));
  const Image shown = Shoot(layout.hiddenEdit, "edit-shown");
  EXPECT_EQ(shown.At(100, 0), kEditFrame);
  EXPECT_EQ(shown.At(0, 100), kEditFrame);
  EXPECT_EQ(shown.At(100, 1), FromColourValue(::GetSysColor(COLOR_WINDOW)));
}

TEST_F(SkinDrawingTest, EditFramesFollowTheEditsState) {
  OwnedWindow host = CreateHostWindow(0, 0, 400, 200, true);
  struct Row {
    const char* label;
    DWORD style;
    DWORD exStyle;
    bool framed;
    Rgb outer;
    Rgb inner;
  };
  const Rgb window = FromColourValue(::GetSysColor(COLOR_WINDOW));
  const Row rows[] = {
      {"client edge", WS_CHILD | WS_VISIBLE, WS_EX_CLIENTEDGE, true, kEditFrame, window},
      {"static edge", WS_CHILD | WS_VISIBLE, WS_EX_STATICEDGE, true, kEditFrame, window},
      {"read-only", WS_CHILD | WS_VISIBLE | ES_READONLY, WS_EX_CLIENTEDGE, true, kEditFrame, Face()},
      {"disabled", WS_CHILD | WS_VISIBLE | WS_DISABLED, WS_EX_CLIENTEDGE, true, FaceDarkenedBy(kDisabledFrameDarkening), Face()},
      {"no border", WS_CHILD | WS_VISIBLE, 0, false, {}, {}},
  };
  std::vector<HWND> edits;
  int y = 5;
  for (const Row& row : rows) {
    edits.push_back(CreateControl(host.get(), "EDIT", "文字", row.style, row.exStyle, 10, y, 150, 24));
    y += 30;
  }
  SetSkinScheme(2);
  ASSERT_TRUE(testing::PumpUntilPainted(host.get()));
  for (std::size_t i = 0; i < edits.size(); ++i) {
    const Row& row = rows[i];
    const Image image = Shoot(edits[i], row.label);
    if (!row.framed) {
      EXPECT_NE(image.At(75, 0), kEditFrame) << row.label;
      continue;
    }
    for (auto [x, yy] : {std::pair{75, 0}, std::pair{0, 12}, std::pair{149, 12}, std::pair{75, 23}}) {
      EXPECT_EQ(image.At(x, yy), row.outer) << row.label << " outer " << x << "," << yy;
    }
    for (auto [x, yy] : {std::pair{75, 1}, std::pair{1, 12}, std::pair{148, 12}, std::pair{75, 22}}) {
      EXPECT_EQ(image.At(x, yy), row.inner) << row.label << " inner " << x << "," << yy;
    }
  }
}

TEST_F(SkinDrawingTest, ADropDownListIsFramedOnceItHoldsAnItem) {
  OwnedWindow host = CreateHostWindow(0, 0, 300, 250, true);
  SetSkinScheme(2);
  HWND filled = CreateControl(host.get(), "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 0, 10, 10, 120, 150);
  for (const char* item : {"甲", "乙", "丙"}) ::SendMessageA(filled, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(::GetComboBoxInfo(filled, &info));
  ASSERT_EQ(SkinKindOf(info.hwndList), SkinKind::DropDownList);
  ::SendMessageA(filled, CB_SHOWDROPDOWN, TRUE, 0);
  ASSERT_TRUE(testing::PumpUntil([&] { return ::IsWindowVisible(info.hwndList) != FALSE; }));
  ASSERT_TRUE(testing::PumpUntilPainted(info.hwndList));
  const Image list = Shoot(info.hwndList, "drop-down-list");
  EXPECT_EQ(list.At(list.width() / 2, 0), kEditFrame);
  EXPECT_EQ(list.At(0, list.height() / 2), kEditFrame);
  EXPECT_EQ(list.At(list.width() / 2, list.height() - 1), kEditFrame);
  ::SendMessageA(filled, CB_SHOWDROPDOWN, FALSE, 0);

  // The combo box itself gets the edit frame too.
  ASSERT_TRUE(testing::PumpUntilPainted(host.get()));
  const Image combo = Shoot(filled, "combo-box");
  EXPECT_EQ(combo.At(combo.width() / 2, 0), kEditFrame);
  EXPECT_EQ(combo.At(0, combo.height() / 2), kEditFrame);
}

TEST_F(SkinDrawingTest, AnEmptyDropDownListKeepsItsOwnBorder) {
  OwnedWindow host = CreateHostWindow(0, 0, 300, 250, true);
  SetSkinScheme(2);
  HWND empty = CreateControl(host.get(), "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 0, 10, 10, 120, 150);
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(::GetComboBoxInfo(empty, &info));
  ::SendMessageA(empty, CB_SHOWDROPDOWN, TRUE, 0);
  if (!testing::PumpUntil([&] { return ::IsWindowVisible(info.hwndList) != FALSE; }, 1000)) {
    GTEST_SKIP() << "this system shows no list for an empty combo box";
  }
  ASSERT_TRUE(testing::PumpUntilPainted(info.hwndList));
  const Image list = Shoot(info.hwndList, "empty-drop-down-list");
  EXPECT_NE(list.At(list.width() / 2, 0), kEditFrame);
  ::SendMessageA(empty, CB_SHOWDROPDOWN, FALSE, 0);
}

// --- Push buttons ------------------------------------------------------------

// A pixel of a button, x and y counted from the far edge when negative.
struct Probe {
  int x;
  int y;
  Rgb colour;
  int tolerance;
};

void ExpectPixels(const Image& image, const std::vector<Probe>& probes, const char* label) {
  for (const Probe& p : probes) {
    const int x = p.x < 0 ? image.width() + p.x : p.x;
    const int y = p.y < 0 ? image.height() + p.y : p.y;
    EXPECT_TRUE(Near(image.At(x, y), p.colour, p.tolerance))
        << label << " at " << x << "," << y << ": " << image.At(x, y) << ", expected " << p.colour;
  }
}

TEST_F(SkinDrawingTest, FocusedDefaultButtonHasTheOrangeRingAndAFocusRectangle) {
  OwnedWindow host = CreateHostWindow(0, 0, 300, 120, true);
  SetSkinScheme(2);
  HWND focused = CreateControl(host.get(), "BUTTON", "确定", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0,
                               20, 20, 75, 23);
  HWND unfocused = CreateControl(host.get(), "BUTTON", "确定", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                                 0, 120, 20, 75, 23);
  ::SetFocus(focused);
  ASSERT_EQ(SkinStateOf(focused), state::kDefault | state::kFocused);
  ASSERT_EQ(SkinStateOf(unfocused), state::kDefault);
  ASSERT_TRUE(testing::PumpUntilPainted(host.get()));
  const Image image = Shoot(focused, "button-focused");
  const Image plain = Shoot(unfocused, "button-default");
  const int w = 75, h = 23;
  const Rgb face = Face();

  ExpectPixels(image,
               {
                   // The frame, one pixel in from the edge, rounded at the corners.
                   {w / 2, 1, kButtonFrame, 0}, {1, h / 2, kButtonFrame, 0}, {-2, h / 2, kButtonFrame, 0},
                   {w / 2, -2, kButtonFrame, 0}, {2, 1, kButtonFrame, 0}, {1, 2, kButtonFrame, 0},
                   {1, 1, face, 0}, {-2, 1, face, 0}, {1, -2, face, 0}, {-2, -2, face, 0},
                   {2, 2, kButtonFrame, 0}, {-3, 2, kButtonFrame, 0}, {2, -3, kButtonFrame, 0}, {-3, -3, kButtonFrame, 0},
                   // Outside the frame: the button face.
                   {w / 2, 0, face, 0}, {0, h / 2, face, 0},
                   // The orange ring: top and bottom of its gradient.
                   {w / 2, 2, kOrangeTop, kExact}, {w / 2, -3, kOrangeBottom, kExact},
                   {2, h / 2, Blend(kOrangeTop, kOrangeBottom, h / 2 - 2, h - 5), kGradientTolerance},
                   // The inner gradient.
                   {6, 4, kInnerTop, kExact}, {6, -5, kInnerBottom, kExact},
                   {-7, 4, kInnerTop, kExact}, {-7, -5, kInnerBottom, kExact},
               },
               "focused default button");

  // The focus rectangle is the only difference from the same button without
  // focus: a dotted line on (3, 3) - (w - 4, h - 4).
  int differing = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (image.At(x, y) == plain.At(x, y)) continue;
      const bool onOutline = ((x == 3 || x == w - 4) && y >= 3 && y <= h - 4) ||
                             ((y == 3 || y == h - 4) && x >= 3 && x <= w - 4);
      EXPECT_TRUE(onOutline) << "differs at " << x << "," << y;
      ++differing;
    }
  }
  const int perimeter = 2 * (w - 7) + 2 * (h - 7);
  EXPECT_GE(differing, perimeter / 3) << "a dotted focus rectangle";
  EXPECT_LE(differing, perimeter * 2 / 3) << "dotted, not solid";

  // The caption: black, centred in the inner area.
  const Ink ink = FindInk(image, 4, 4, w - 4, h - 4);
  ASSERT_TRUE(ink.found) << "no caption";
  EXPECT_TRUE(Near(ink.darkest, Rgb{0, 0, 0}, 40)) << ink.darkest;
  EXPECT_NEAR(ink.left + ink.right, w - 1, 4) << "centred across";
  EXPECT_NEAR(ink.top + ink.bottom, h - 1, 4) << "centred down";
}

struct ButtonCase {
  const char* label;
  DWORD style;
  std::function<void(HWND)> prepare;
  std::function<std::vector<Probe>()> probes;
};

TEST_F(SkinDrawingTest, ButtonFillsFollowTheState) {
  const std::vector<ButtonCase> cases{
      {"normal", BS_PUSHBUTTON, [](HWND) {},
       [] {
         return std::vector<Probe>{{37, 1, kButtonFrame, 0}, {37, 2, kNormalTop, kExact},
                                   {37, -3, kNormalBottom, kExact}, {6, 4, kInnerTop, kExact},
                                   {6, -5, kInnerBottom, kExact}};
       }},
      {"default, not focused", BS_DEFPUSHBUTTON, [](HWND) {},
       [] {
         return std::vector<Probe>{{37, 2, kOrangeTop, kExact}, {37, -3, kOrangeBottom, kExact},
                                   {6, 4, kInnerTop, kExact}};
       }},
      {"pressed", BS_PUSHBUTTON, [](HWND b) { ::SendMessageA(b, BM_SETSTATE, TRUE, 0); },
       [] {
         return std::vector<Probe>{{37, 1, kButtonFrame, 0}, {37, 2, kPressed, 0}, {37, -3, kPressed, 0},
                                   {6, 4, kPressed, 0}, {6, -5, kPressed, 0}};
       }},
      {"checked push-like", BS_AUTOCHECKBOX | BS_PUSHLIKE, [](HWND b) { ::SendMessageA(b, BM_SETCHECK, BST_CHECKED, 0); },
       [] {
         return std::vector<Probe>{{3, 2, Rgb{214, 203, 189}, kGradientTolerance},
                                   {-4, 2, Rgb{214, 207, 198}, kGradientTolerance},
                                   {3, -3, Rgb{247, 243, 239}, kGradientTolerance},
                                   {-4, -3, Rgb{247, 243, 239}, kGradientTolerance},
                                   {6, 4, kPressed, 0}, {-7, -5, kPressed, 0}};
       }},
      {"disabled", BS_PUSHBUTTON | WS_DISABLED, [](HWND) {},
       [] {
         return std::vector<Probe>{{37, 1, FaceDarkenedBy(kDisabledFrameDarkening), 0},
                                   {37, 2, kDisabledFill, 0}, {6, 6, kDisabledFill, 0}, {37, -3, kDisabledFill, 0},
                                   {1, 1, Face(), 0}, {2, 2, FaceDarkenedBy(kDisabledCornerDarkening), 0},
                                   {-3, -3, FaceDarkenedBy(kDisabledCornerDarkening), 0},
                                   {2, 1, FaceDarkenedBy(kDisabledEdgeDarkening), 0},
                                   {1, 2, FaceDarkenedBy(kDisabledEdgeDarkening), 0}};
       }},
  };
  for (const ButtonCase& c : cases) {
    OwnedWindow host = CreateHostWindow(0, 0, 200, 100, true);
    SetSkinScheme(2);
    HWND button = CreateControl(host.get(), "BUTTON", "按钮", WS_CHILD | WS_VISIBLE | c.style, 0, 20, 20, 75, 23);
    c.prepare(button);
    ASSERT_TRUE(testing::PumpUntilPainted(host.get())) << c.label;
    const Image image = Shoot(button, c.label);
    ExpectPixels(image, c.probes(), c.label);
    if (c.style & WS_DISABLED) {
      const Ink ink = FindInk(image, 4, 4, 71, 19, [](Rgb colour) { return colour.red < 200; });
      ASSERT_TRUE(ink.found) << "no caption";
      EXPECT_TRUE(Near(ink.darkest, Rgb{165, 162, 148}, 30)) << "grey caption: " << ink.darkest;
    }
    SetSkinScheme(0);
  }
}

void MovePointerTo(POINT screen) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = static_cast<LONG>(screen.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1));
  input.mi.dy = static_cast<LONG>(screen.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1));
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(1, &input, sizeof(input));
}

TEST_F(SkinDrawingTest, TheButtonUnderThePointerIsHotUntilThePointerLeaves) {
  OwnedWindow host = CreateHostWindow(0, 0, 300, 150, true);
  SetSkinScheme(2);
  HWND button = CreateControl(host.get(), "BUTTON", "按钮", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 40, 40, 75, 23);
  MovePointerTo(POINT{250, 400});
  ASSERT_TRUE(testing::PumpUntilPainted(host.get()));
  RECT rect{};
  ::GetWindowRect(button, &rect);
  MovePointerTo(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
  ASSERT_TRUE(testing::PumpUntil([&] { return (SkinStateOf(button) & state::kHot) != 0; }))
      << "the pointer over the button never made it hot";
  ExpectPixels(Shoot(button, "button-hot"),
               {{37, 2, kOrangeTop, kExact}, {37, -3, kOrangeBottom, kExact}}, "hot");

  MovePointerTo(POINT{rect.right + 100, rect.bottom + 100});
  ASSERT_TRUE(testing::PumpUntil([&] { return (SkinStateOf(button) & state::kHot) == 0; }))
      << "no leave notice arrived";
  ExpectPixels(Shoot(button, "button-left"),
               {{37, 2, kNormalTop, kExact}, {37, -3, kNormalBottom, kExact}}, "left");
}

TEST_F(SkinDrawingTest, ASecondSchemeShowsAtTheNextPaint) {
  OwnedWindow host = CreateHostWindow(0, 0, 200, 100, true);
  HWND button = CreateControl(host.get(), "BUTTON", "按钮", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 20, 20, 75, 23);
  SetSkinScheme(1);
  ASSERT_TRUE(testing::PumpUntilPainted(host.get()));
  const Rgb schemeOne = Shoot(button, "scheme-1").At(37, 1);
  EXPECT_NE(schemeOne, kButtonFrame);
  SetSkinScheme(2);
  ASSERT_TRUE(testing::PumpUntilPainted(host.get()));
  EXPECT_EQ(Shoot(button, "scheme-2").At(37, 1), kButtonFrame);
  SetSkinScheme(0);
  ASSERT_TRUE(testing::PumpUntilPainted(host.get()));
  const Rgb own = Shoot(button, "unskinned").At(37, 1);
  EXPECT_NE(own, kButtonFrame) << "given back, the button draws itself again";
}

// --- Check boxes and radio buttons ------------------------------------------

TEST_F(SkinDrawingTest, CheckBoxesAndRadioButtonsGetAFramedMarkBesideTheirCaption) {
  OwnedWindow host = CreateHostWindow(0, 0, 300, 120, true);
  HWND check = CreateControl(host.get(), "BUTTON", "选项", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 0, 10, 10, 120, 21);
  HWND radio = CreateControl(host.get(), "BUTTON", "选项", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, 0, 10, 40, 120, 21);
  SetSkinScheme(2);
  ::SendMessageA(check, BM_SETCHECK, BST_CHECKED, 0);
  ASSERT_TRUE(testing::PumpUntilPainted(host.get()));
  const Image checkImage = Shoot(check, "check-box");
  const int top = (21 - 13) / 2;
  EXPECT_EQ(checkImage.At(6, top), kButtonFrame) << "top of the box";
  EXPECT_EQ(checkImage.At(0, top + 6), kButtonFrame) << "left of the box";
  EXPECT_EQ(checkImage.At(0, top), Face()) << "rounded corner";
  const Ink tick = FindInk(checkImage, 2, top + 2, 11, top + 11, [](Rgb c) { return c == kButtonFrame; });
  EXPECT_TRUE(tick.found) << "a tick in the box";
  const Ink caption = FindInk(checkImage, 13, 0, 120, 21);
  ASSERT_TRUE(caption.found);
  EXPECT_GE(caption.left, 13 + 4);

  const Image radioImage = Shoot(radio, "radio-button");
  EXPECT_EQ(radioImage.At(6, top), kButtonFrame) << "top of the circle";
  EXPECT_EQ(radioImage.At(0, top), Face()) << "round";
  EXPECT_NE(radioImage.At(6, top + 6), kButtonFrame) << "no dot while unchecked";
  ::SendMessageA(radio, BM_SETCHECK, BST_CHECKED, 0);
  ASSERT_TRUE(testing::PumpUntilPainted(host.get()));
  EXPECT_EQ(Shoot(radio, "radio-checked").At(6, top + 6), kButtonFrame) << "the dot";
}

}  // namespace
}  // namespace qsh::skin

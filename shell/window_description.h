#pragma once
// The main window and its controls, described as data: one row per control,
// and the frame. main_window.cpp creates, parents, stacks and shows the
// controls from this table; the control procedure does what each row says.

#include <windows.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "assets/resource_ids.h"
#include "shell/event_handlers.h"

namespace qsh {

enum class ControlKind { GroupBox, TransparentLabel, PictureBox, EditBox, Label };
enum class HorizontalAlign { Left, Centre };
enum class LineMode { WordWrap, SingleLine };
enum class FontChoice { Default, Bold };
enum class PointerShape { Arrow, Hand };

struct ControlPlace {
  int left, top, width, height;  // in the container's client area
};

struct ControlRow {
  std::string_view name;       // "标签1", "透明标签3", ...
  ControlKind kind;
  int id;
  std::string_view container;  // empty: the main window itself
  ControlPlace place;
  bool visible;
  std::string_view text;
  COLORREF textColour = RGB(0, 0, 0);
  HorizontalAlign align = HorizontalAlign::Left;
  LineMode lineMode = LineMode::SingleLine;
  FontChoice font = FontChoice::Default;
  PointerShape pointer = PointerShape::Arrow;
  int picture = 0;  // the bitmap resource a picture box shows; 0 for none
  ButtonDownHandler onButtonDown = nullptr;
  FeedbackHandler onFeedback = nullptr;
  ContentChangedHandler onContentChanged = nullptr;
};

namespace rows {

inline constexpr COLORREF kRed = RGB(255, 0, 0);
inline constexpr COLORREF kBlue = RGB(0, 0, 255);
inline constexpr COLORREF kNavy = RGB(0, 0, 128);
inline constexpr COLORREF kBlack = RGB(0, 0, 0);

using enum ControlKind;
using enum HorizontalAlign;
using enum LineMode;
using enum FontChoice;
using enum PointerShape;

// Within each container the rows stand from the top of the stacking order
// down.
// clang-format off
inline constexpr std::array<ControlRow, 14> kMainWindowControls{{
  // The main window's own children.
  {.name = "分组框3", .kind = GroupBox, .id = 170, .container = "", .place = {368, 208, 224, 160},
   .visible = true, .text = "作者声明", .onButtonDown = OnAuthorGroupBoxPressed},
  {.name = "分组框2", .kind = GroupBox, .id = 140, .container = "", .place = {368, 376, 224, 64},
   .visible = true, .text = "版本更新"},
  {.name = "分组框1", .kind = GroupBox, .id = 120, .container = "", .place = {8, 208, 352, 232},
   .visible = true, .text = "功能说明"},
  {.name = "图片框1", .kind = PictureBox, .id = 110, .container = "", .place = {0, 0, 600, 200},
   .visible = true, .text = "", .picture = IDB_BANNER},
  // Never seen: it lies wholly above the client area and only carries the
  // relayed hotkey presses.
  {.name = "标签1", .kind = Label, .id = 100, .container = "", .place = {160, -64, 96, 48},
   .visible = true, .text = "", .onFeedback = OnHotkeyFeedback},

  {.name = "透明标签6", .kind = TransparentLabel, .id = 200, .container = "分组框3",
   .place = {128, 120, 80, 16}, .visible = true, .text = "Qelvarin版块", .textColour = kBlue,
   .pointer = Hand, .onButtonDown = OnBoardLabelPressed},
  {.name = "透明标签5", .kind = TransparentLabel, .id = 190, .container = "分组框3",
   .place = {16, 120, 56, 16}, .visible = true, .text = "Tamrow论坛", .textColour = kBlue,
   .pointer = Hand, .onButtonDown = OnForumIndexLabelPressed},
  {.name = "透明标签4", .kind = TransparentLabel, .id = 180, .container = "分组框3",
   .place = {8, 24, 208, 88}, .visible = true,
   .text = "该程序仍在更新\r\n\r\n更多功能后续更新\r\n\r\n欢迎大家收藏《Qelvarin》 版块\r\n",
   .textColour = kNavy, .lineMode = WordWrap},

  {.name = "透明标签3", .kind = TransparentLabel, .id = 160, .container = "分组框2",
   .place = {152, 24, 64, 24}, .visible = true, .text = "检查更新", .textColour = kBlue,
   .pointer = Hand, .onButtonDown = OnVersionCheckPressed},
  {.name = "透明标签2", .kind = TransparentLabel, .id = 150, .container = "分组框2",
   .place = {16, 24, 128, 24}, .visible = true, .text = "当前版本：V1.01", .textColour = kRed,
   .font = Bold},

  {.name = "透明标签8", .kind = TransparentLabel, .id = 220, .container = "分组框1",
   .place = {272, 136, 64, 24}, .visible = true, .text = "反馈地址", .textColour = kBlue,
   .pointer = Hand, .onButtonDown = OnFeedbackLabelPressed},
  {.name = "透明标签7", .kind = TransparentLabel, .id = 210, .container = "分组框1",
   .place = {24, 32, 304, 120}, .visible = true,
   .text = "游戏中\r\n按F9  保存当前存档\r\n按F10 还原保存存档\r\n\r\n"
           "如果有任何功能问题请在本帖留言进行回复，下一版本优化",
   .textColour = kBlack, .align = Centre, .lineMode = WordWrap},
  {.name = "透明标签1", .kind = TransparentLabel, .id = 130, .container = "分组框1",
   .place = {8, 168, 336, 48}, .visible = true,
   .text = "本工具由 Tamrow Lunwick编写，旨在帮助玩家处理存档相关问题 "
           "由于编程软件的限制，可能会有报毒现象。",
   .textColour = kRed, .lineMode = WordWrap},

  // The version check's text holder, never shown.
  {.name = "编辑框1", .kind = EditBox, .id = 230, .container = "图片框1",
   .place = {48, -16, 448, 256}, .visible = false, .text = "",
   .onContentChanged = OnShownTextChanged},
}};
// clang-format on

}  // namespace rows

using rows::kMainWindowControls;
inline constexpr std::size_t kControlCount = kMainWindowControls.size();

// The index of the row of that name; kControlCount when there is none.
constexpr std::size_t FindControl(std::string_view name) {
  for (std::size_t i = 0; i < kControlCount; ++i)
    if (kMainWindowControls[i].name == name) return i;
  return kControlCount;
}

// The same at compile time: a name that no row has does not compile.
consteval std::size_t ControlIndex(std::string_view name) {
  const std::size_t index = FindControl(name);
  if (index == kControlCount) throw "no control of that name in the window description";
  return index;
}

// Every container is a row that comes before the rows it holds, so that it
// exists when they move into it.
consteval bool ContainersComeFirst() {
  for (std::size_t i = 0; i < kControlCount; ++i) {
    const std::string_view container = kMainWindowControls[i].container;
    if (!container.empty() && FindControl(container) >= i) return false;
  }
  return true;
}
static_assert(ContainersComeFirst());

struct MainWindowFrame {
  std::string_view caption;
  int outerWidth, outerHeight;
  DWORD style;
  CreatedHandler onCreated;
};

inline constexpr MainWindowFrame kMainWindowFrame{
    .caption = "Qelvarin(zorvex) 存档辅助器 V1.01",
    .outerWidth = 602,
    .outerHeight = 484,
    .style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
    .onCreated = OnMainWindowCreated,
};

}  // namespace qsh

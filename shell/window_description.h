#pragma once
// The main window and its controls, described as data: one row per control.
// main_window.cpp creates, parents, stacks and shows them from this table.

#include <windows.h>

#include <cstdint>
#include <span>
#include <string_view>

namespace qsh {

enum class ControlKind { GroupBox, TransparentLabel, PictureBox, EditBox, Label };
enum class HorizontalAlign { Left, Centre };
enum class LineMode { WordWrap, SingleLine };
enum class FontChoice { Default, Bold };
enum class PointerShape { Arrow, Hand };

using ButtonDownHandler = void (*)(std::int32_t x, std::int32_t y, std::int32_t keyFlags);
using FeedbackHandler = void (*)(std::int32_t first, std::int32_t second);

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
  ButtonDownHandler onButtonDown = nullptr;
  FeedbackHandler onFeedback = nullptr;
};

// Within each container the rows stand from the top of the stacking order
// down.
std::span<const ControlRow> MainWindowControls();

struct MainWindowFrame {
  std::string_view caption;
  int outerWidth, outerHeight;
  DWORD style;
};
const MainWindowFrame& MainWindowDescription();

}  // namespace qsh

#pragma once
// Where the skin draws: the rings of a push button, the caption and rounded
// corners of a group box, the block of a button's caption lines. Pure
// geometry in the control's own pixel coordinates (right and bottom are
// exclusive, as in a Win32 RECT).

#include <array>
#include <cstdint>

namespace qsh::skin {

struct Point {
  int x = 0;
  int y = 0;
  friend constexpr bool operator==(const Point&, const Point&) = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  [[nodiscard]] constexpr int Width() const noexcept { return right - left; }
  [[nodiscard]] constexpr int Height() const noexcept { return bottom - top; }
  [[nodiscard]] constexpr bool Empty() const noexcept { return right <= left || bottom <= top; }
  [[nodiscard]] constexpr Rect Shrunk(int by) const noexcept {
    return Rect{left + by, top + by, right - by, bottom - by};
  }
  [[nodiscard]] constexpr Rect Moved(int dx, int dy) const noexcept {
    return Rect{left + dx, top + dy, right + dx, bottom + dy};
  }
  friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

enum class TextAlign : std::uint8_t { Left, Centre, Right };

// --- Push button ---------------------------------------------------------

struct PushButtonRings {
  Rect outer;  // filled with the background, framed in the button face
  Rect frame;  // framed in the scheme's push button frame colour
  Rect fill;   // the state's fill
  Rect inner;  // the inner fill and the caption
  Rect focus;  // the focus rectangle, one pixel outside the inner area
};
[[nodiscard]] PushButtonRings LayOutPushButton(const Rect& client) noexcept;

// The rounded corners of a push button: the frame's own corner pixels take
// the button face, the corner pixels of the ring inside it and the two frame
// pixels beside each corner take the frame colour.
struct PushButtonCorners {
  std::array<Point, 4> frameCorners;    // -> button face
  std::array<Point, 4> ringCorners;     // -> frame colour
  std::array<Point, 8> frameNeighbours; // -> frame colour
};
[[nodiscard]] PushButtonCorners PushButtonCornerPixels(const PushButtonRings& rings) noexcept;

// Horizontal alignment and vertical offset of a push button's caption block
// from its style: no alignment bits centre both ways.
struct TextBlockPlacement {
  TextAlign align = TextAlign::Centre;
  int top = 0;  // y of the first line
};
[[nodiscard]] TextBlockPlacement PlaceTextBlock(std::uint32_t style, const Rect& area, int lineCount,
                                                int lineHeight) noexcept;

// --- Group box -----------------------------------------------------------

struct GroupCaptionLayout {
  int middle = 0;      // m: the row of the top frame line
  Rect strip;          // filled with the background brush
  int clearFrom = 0;   // the frame line is cleared on row m from here...
  int clearTo = 0;     // ...to here, both included
  Rect text;           // where DrawText draws the caption
  TextAlign align = TextAlign::Left;
};
// For a caption `captionWidth` x `captionHeight` in a group box `width` wide.
[[nodiscard]] GroupCaptionLayout LayOutGroupCaption(std::uint32_t style, int width,
                                                    int captionWidth, int captionHeight) noexcept;

// The rounded corners of a group box framed from (0, m) to (w, h): at each
// corner the corner pixel and the next two along each side take the
// background, and two pixels just inside take the frame colour.
struct GroupBoxCorners {
  std::array<Point, 20> background;
  std::array<Point, 8> frame;
};
[[nodiscard]] GroupBoxCorners GroupBoxCornerPixels(int width, int height, int middle) noexcept;

}  // namespace qsh::skin

#pragma once
// Where a capture shows ink: text and marks drawn darker than the button
// face, found as a box rather than compared as a whole, since fonts differ
// from one machine to the next.

#include <windows.h>

#include <algorithm>
#include <functional>

#include "shell/skin/skin_colours.h"
#include "tests/win32/skin/capture.h"

namespace qsh::skin::testing {

// The group boxes' frame colour in scheme 2.
inline constexpr Rgb kGroupFrame{191, 184, 191};

inline Rgb Face() { return FromColourValue(::GetSysColor(COLOR_BTNFACE)); }

// Text is drawn smoothed: ink is whatever is clearly darker than the face.
inline bool IsDark(Rgb colour) {
  const Rgb face = Face();
  return colour.red + colour.green + colour.blue + 150 <= face.red + face.green + face.blue;
}
// The caption of a group box, not its frame.
inline bool IsCaptionInk(Rgb colour) { return IsDark(colour) && colour != kGroupFrame; }

// The box around every ink pixel within an area of an image.
struct Ink {
  bool found = false;
  int left = 0, top = 0, right = 0, bottom = 0;  // inclusive
  Rgb darkest{255, 255, 255};
};
inline Ink FindInk(const Image& image, int left, int top, int right, int bottom,
                   const std::function<bool(Rgb)>& isInk = IsDark) {
  Ink ink;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      const Rgb c = image.At(x, y);
      if (!isInk(c)) continue;
      if (!ink.found) {
        ink = Ink{true, x, y, x, y, c};
      }
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x);
      ink.top = std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y);
      if (c.red + c.green + c.blue < ink.darkest.red + ink.darkest.green + ink.darkest.blue) ink.darkest = c;
    }
  }
  return ink;
}

}  // namespace qsh::skin::testing

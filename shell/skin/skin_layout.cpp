#include "shell/skin/skin_layout.h"

#include "shell/skin/skin_system_values.h"

namespace qsh::skin {

PushButtonRings LayOutPushButton(const Rect& client) noexcept {
  PushButtonRings rings;
  rings.outer = client;
  rings.frame = client.Shrunk(1);
  rings.fill = rings.frame.Shrunk(1);
  rings.inner = rings.fill.Shrunk(2);
  rings.focus = rings.inner.Shrunk(-1);
  return rings;
}

PushButtonCorners PushButtonCornerPixels(const PushButtonRings& rings) noexcept {
  const Rect& f = rings.frame;
  const Rect& r = rings.fill;
  const int fl = f.left, ft = f.top, fr = f.right - 1, fb = f.bottom - 1;
  PushButtonCorners corners{};
  corners.frameCorners = {Point{fl, ft}, Point{fr, ft}, Point{fl, fb}, Point{fr, fb}};
  corners.ringCorners = {Point{r.left, r.top}, Point{r.right - 1, r.top}, Point{r.left, r.bottom - 1},
                         Point{r.right - 1, r.bottom - 1}};
  corners.frameNeighbours = {Point{fl + 1, ft}, Point{fl, ft + 1}, Point{fr - 1, ft}, Point{fr, ft + 1},
                             Point{fl + 1, fb}, Point{fl, fb - 1}, Point{fr - 1, fb}, Point{fr, fb - 1}};
  return corners;
}

TextBlockPlacement PlaceTextBlock(std::uint32_t style, const Rect& area, int lineCount,
                                  int lineHeight) noexcept {
  TextBlockPlacement placement;
  switch (style & kBsCenter) {
    case kBsLeft: placement.align = TextAlign::Left; break;
    case kBsRight: placement.align = TextAlign::Right; break;
    default: placement.align = TextAlign::Centre; break;
  }
  const int blockHeight = lineCount * lineHeight;
  switch (style & kBsVCenter) {
    case kBsTop: placement.top = area.top; break;
    case kBsBottom: placement.top = area.bottom - blockHeight; break;
    default: placement.top = area.top + (area.Height() - blockHeight) / 2; break;
  }
  return placement;
}

GroupCaptionLayout LayOutGroupCaption(std::uint32_t style, int width, int captionWidth,
                                      int captionHeight) noexcept {
  GroupCaptionLayout layout;
  layout.middle = captionHeight / 2;
  const int cw = captionWidth;
  const int ch = captionHeight;
  switch (style & kBsCenter) {
    case kBsCenter: {
      const int left = (width - cw) / 2;
      layout.strip = Rect{left, 0, left + cw, ch};
      layout.clearFrom = left - 5;
      layout.clearTo = left + cw + 5;
      layout.text = layout.strip;
      layout.align = TextAlign::Centre;
      break;
    }
    case kBsRight: {
      const int right = width - 10;
      layout.strip = Rect{right - cw, 0, right, ch};
      layout.clearFrom = right - cw;
      layout.clearTo = right - 1;
      layout.text = layout.strip;
      layout.align = TextAlign::Right;
      break;
    }
    default:  // BS_LEFT, or no alignment bits
      layout.strip = Rect{10, 0, 10 + cw, ch};
      layout.clearFrom = 8;
      layout.clearTo = cw + 9;
      layout.text = Rect{9, 0, 9 + cw, ch};
      layout.align = TextAlign::Left;
      break;
  }
  return layout;
}

GroupBoxCorners GroupBoxCornerPixels(int width, int height, int middle) noexcept {
  const int l = 0, r = width - 1, t = middle, b = height - 1;
  GroupBoxCorners corners{};
  corners.background = {
      Point{l, t}, Point{l, t + 1}, Point{l, t + 2}, Point{l + 1, t}, Point{l + 2, t},
      Point{r, t}, Point{r, t + 1}, Point{r, t + 2}, Point{r - 1, t}, Point{r - 2, t},
      Point{l, b}, Point{l, b - 1}, Point{l, b - 2}, Point{l + 1, b}, Point{l + 2, b},
      Point{r, b}, Point{r, b - 1}, Point{r, b - 2}, Point{r - 1, b}, Point{r - 2, b},
  };
  corners.frame = {
      Point{l + 2, t + 1}, Point{l + 1, t + 2}, Point{r - 2, t + 1}, Point{r - 1, t + 2},
      Point{l + 2, b - 1}, Point{l + 1, b - 2}, Point{r - 2, b - 1}, Point{r - 1, b - 2},
  };
  return corners;
}

}  // namespace qsh::skin

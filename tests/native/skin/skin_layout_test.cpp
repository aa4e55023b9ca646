#include "shell/skin/skin_layout.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "shell/skin/skin_system_values.h"

namespace qsh::skin {
namespace {

template <std::size_t N>
bool Contains(const std::array<Point, N>& points, Point point) {
  return std::find(points.begin(), points.end(), point) != points.end();
}

TEST(PushButtonLayoutTest, RingsShrinkOneOneAndTwo) {
  const PushButtonRings rings = LayOutPushButton(Rect{0, 0, 75, 23});
  EXPECT_EQ(rings.outer, (Rect{0, 0, 75, 23}));
  EXPECT_EQ(rings.frame, (Rect{1, 1, 74, 22}));
  EXPECT_EQ(rings.fill, (Rect{2, 2, 73, 21}));
  EXPECT_EQ(rings.inner, (Rect{4, 4, 71, 19}));
  EXPECT_EQ(rings.focus, (Rect{3, 3, 72, 20}));
}

TEST(PushButtonLayoutTest, CornersRoundTheFrameAndFillTheRingCorner) {
  const PushButtonCorners corners = PushButtonCornerPixels(LayOutPushButton(Rect{0, 0, 75, 23}));
  for (Point p : {Point{1, 1}, Point{73, 1}, Point{1, 21}, Point{73, 21}}) {
    EXPECT_TRUE(Contains(corners.frameCorners, p)) << p.x << "," << p.y;
  }
  for (Point p : {Point{2, 2}, Point{72, 2}, Point{2, 20}, Point{72, 20}}) {
    EXPECT_TRUE(Contains(corners.ringCorners, p)) << p.x << "," << p.y;
  }
  for (Point p : {Point{2, 1}, Point{1, 2}, Point{72, 1}, Point{73, 2}, Point{2, 21}, Point{1, 20},
                  Point{72, 21}, Point{73, 20}}) {
    EXPECT_TRUE(Contains(corners.frameNeighbours, p)) << p.x << "," << p.y;
  }
}

TEST(TextBlockTest, CentresWithoutAlignmentStylesAndFollowsThemOtherwise) {
  const Rect area{4, 4, 71, 19};  // 15 high
  struct Row {
    std::uint32_t style;
    int lines;
    TextAlign align;
    int top;
  };
  for (const Row& row : {Row{0, 1, TextAlign::Centre, 4 + (15 - 13) / 2},
                         Row{kBsDefPushButton, 2, TextAlign::Centre, 4 + (15 - 26) / 2},
                         Row{kBsCenter | kBsVCenter, 1, TextAlign::Centre, 5},
                         Row{kBsLeft, 1, TextAlign::Left, 5},
                         Row{kBsRight | kBsTop, 1, TextAlign::Right, 4},
                         Row{kBsBottom, 1, TextAlign::Centre, 19 - 13}}) {
    const TextBlockPlacement placement = PlaceTextBlock(row.style, area, row.lines, 13);
    EXPECT_EQ(placement.align, row.align) << std::hex << row.style;
    EXPECT_EQ(placement.top, row.top) << std::hex << row.style;
  }
}

TEST(GroupCaptionTest, LeftCaptionStartsTheStripAtTenAndTheTextAtNine) {
  for (std::uint32_t style : {kBsGroupBox | kBsLeft, kBsGroupBox}) {
    const GroupCaptionLayout layout = LayOutGroupCaption(style, 352, 48, 13);
    EXPECT_EQ(layout.middle, 6);
    EXPECT_EQ(layout.strip, (Rect{10, 0, 58, 13}));
    EXPECT_EQ(layout.clearFrom, 8);
    EXPECT_EQ(layout.clearTo, 57);  // cw + 9
    EXPECT_EQ(layout.text, (Rect{9, 0, 57, 13}));
    EXPECT_EQ(layout.align, TextAlign::Left);
  }
}

TEST(GroupCaptionTest, RightAndCentredCaptions) {
  const GroupCaptionLayout right = LayOutGroupCaption(kBsGroupBox | kBsRight, 224, 48, 14);
  EXPECT_EQ(right.middle, 7);
  EXPECT_EQ(right.strip, (Rect{166, 0, 214, 14}));
  EXPECT_EQ(right.text, right.strip);
  EXPECT_EQ(right.clearFrom, 166);
  EXPECT_EQ(right.clearTo, 213);
  EXPECT_EQ(right.align, TextAlign::Right);

  const GroupCaptionLayout centre = LayOutGroupCaption(kBsGroupBox | kBsCenter, 225, 48, 15);
  EXPECT_EQ(centre.middle, 7);
  EXPECT_EQ(centre.strip, (Rect{88, 0, 136, 15}));
  EXPECT_EQ(centre.clearFrom, 83);
  EXPECT_EQ(centre.clearTo, 141);
  EXPECT_EQ(centre.align, TextAlign::Centre);
}

TEST(GroupCornerTest, FivePixelsOfBackgroundAndTwoOfFrameAtEachCorner) {
  const GroupBoxCorners corners = GroupBoxCornerPixels(352, 232, 6);
  // Top-left, exactly as drawn.
  for (Point p : {Point{0, 6}, Point{0, 7}, Point{0, 8}, Point{1, 6}, Point{2, 6}}) {
    EXPECT_TRUE(Contains(corners.background, p)) << p.x << "," << p.y;
  }
  EXPECT_TRUE(Contains(corners.frame, Point{2, 7}));
  EXPECT_TRUE(Contains(corners.frame, Point{1, 8}));
  // The other three mirrored.
  for (Point p : {Point{351, 6}, Point{351, 8}, Point{349, 6}, Point{0, 231}, Point{0, 229}, Point{2, 231},
                  Point{351, 231}, Point{351, 229}, Point{349, 231}}) {
    EXPECT_TRUE(Contains(corners.background, p)) << p.x << "," << p.y;
  }
  for (Point p : {Point{349, 7}, Point{350, 8}, Point{2, 230}, Point{1, 229}, Point{349, 230}, Point{350, 229}}) {
    EXPECT_TRUE(Contains(corners.frame, p)) << p.x << "," << p.y;
  }
  // No pixel is both.
  for (Point p : corners.frame) EXPECT_FALSE(Contains(corners.background, p)) << p.x << "," << p.y;
}

}  // namespace
}  // namespace qsh::skin

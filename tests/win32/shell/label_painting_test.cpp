// How the transparent labels of the real table paint: the bold font of
// 透明标签2, the centred lines of 透明标签7, word wrap from the top against a
// single line centred from top to bottom. Each row is painted on white into
// a bitmap of its own size; glyphs differ from one machine to the next, so
// the checks compare ink boxes, never whole images.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "shell/controls/control_painting.h"
#include "shell/window_description.h"
#include "tests/win32/skin/capture.h"

namespace qsh {
namespace {

// The ink a row leaves on white: every pixel clearly darker than white.
struct Ink {
  int pixels = 0;
  int left = 0, top = 0, right = -1, bottom = -1;  // inclusive; right < left when none
  [[nodiscard]] bool found() const { return pixels > 0; }
  [[nodiscard]] int height() const { return bottom - top + 1; }
};

class Painted {
 public:
  explicit Painted(const ControlRow& row)
      : image_(skin::testing::DrawnImage(row.place.width, row.place.height, [&row](HDC dc) {
          const RECT area{0, 0, row.place.width, row.place.height};
          ::FillRect(dc, &area, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
          PaintTransparentLabel(dc, area, row);
          return true;
        })) {}

  [[nodiscard]] bool ok() const { return !image_.empty(); }

  [[nodiscard]] bool IsInk(int x, int y) const {
    const skin::Rgb c = image_.At(x, y);
    return c.red + c.green + c.blue <= 3 * 255 - 150;
  }

  // The ink between rows top and bottom (exclusive).
  [[nodiscard]] Ink InkOf(int top = 0, int bottom = -1) const {
    if (bottom < 0) bottom = height();
    Ink ink;
    for (int y = top; y < bottom; ++y) {
      for (int x = 0; x < width(); ++x) {
        if (!IsInk(x, y)) continue;
        if (ink.pixels++ == 0) ink.left = ink.right = x, ink.top = ink.bottom = y;
        ink.left = std::min(ink.left, x);
        ink.right = std::max(ink.right, x);
        ink.top = std::min(ink.top, y);
        ink.bottom = std::max(ink.bottom, y);
      }
    }
    return ink;
  }

  // The ink of the first line of text: from the first inked row down to the
  // next row without ink.
  [[nodiscard]] Ink FirstLine() const {
    const Ink all = InkOf();
    if (!all.found()) return all;
    int end = all.top;
    while (end < height() && InkOf(end, end + 1).found()) ++end;
    return InkOf(all.top, end);
  }

  [[nodiscard]] int width() const { return image_.width(); }
  [[nodiscard]] int height() const { return image_.height(); }

 private:
  skin::testing::Image image_;
};

const ControlRow& Row(std::size_t index) { return kMainWindowControls[index]; }

TEST(LabelPaintingTest, TheVersionLabelIsBoldAndLargerThanTheDefaultFont) {
  const ControlRow& version = Row(ControlIndex("透明标签2"));
  ASSERT_EQ(version.font, FontChoice::Bold);
  ControlRow plain = version;
  plain.font = FontChoice::Default;
  const Painted bold(version);
  const Painted normal(plain);
  ASSERT_TRUE(bold.ok() && normal.ok());
  const Ink boldInk = bold.InkOf();
  const Ink normalInk = normal.InkOf();
  ASSERT_TRUE(boldInk.found() && normalInk.found()) << "nothing painted";
  EXPECT_GT(boldInk.pixels, normalInk.pixels * 5 / 4) << "bold strokes leave more ink";
  EXPECT_GT(boldInk.right - boldInk.left, normalInk.right - normalInk.left) << "the larger font is wider";
  EXPECT_GT(boldInk.height(), normalInk.height()) << "the larger font is taller";
}

TEST(LabelPaintingTest, TheLinesOfTheHelpLabelAreCentred) {
  const ControlRow& help = Row(ControlIndex("透明标签7"));
  ASSERT_EQ(help.align, HorizontalAlign::Centre);
  ControlRow leftAligned = help;
  leftAligned.align = HorizontalAlign::Left;
  const Painted centred(help);
  const Painted left(leftAligned);
  ASSERT_TRUE(centred.ok() && left.ok());
  const Ink line = centred.FirstLine();
  ASSERT_TRUE(line.found()) << "nothing painted";
  const int leftMargin = line.left;
  const int rightMargin = centred.width() - 1 - line.right;
  EXPECT_LE(std::abs(leftMargin - rightMargin), 2)
      << "first line from " << line.left << " to " << line.right << " in " << centred.width();
  EXPECT_LE(left.FirstLine().left, 2) << "the same row aligned left starts at the edge";
}

TEST(LabelPaintingTest, WrappedTextStartsAtTheTopAndASingleLineIsCentredVertically) {
  struct Case {
    std::size_t index;
    LineMode mode;
  };
  // 透明标签3 "检查更新" is a single line; 透明标签1 wraps its long text.
  for (const Case c : {Case{ControlIndex("透明标签3"), LineMode::SingleLine},
                       Case{ControlIndex("透明标签1"), LineMode::WordWrap}}) {
    const ControlRow& row = Row(c.index);
    ASSERT_EQ(row.lineMode, c.mode) << row.name;
    ControlRow single = row;
    single.lineMode = LineMode::SingleLine;
    ControlRow wrapped = row;
    wrapped.lineMode = LineMode::WordWrap;
    const Painted one(single);
    const Painted many(wrapped);
    ASSERT_TRUE(one.ok() && many.ok()) << row.name;
    const Ink oneInk = one.InkOf();
    const Ink manyInk = many.InkOf();
    ASSERT_TRUE(oneInk.found() && manyInk.found()) << row.name << ": nothing painted";
    // One line: as much room above the ink as below it.
    const int above = oneInk.top;
    const int below = one.height() - 1 - oneInk.bottom;
    EXPECT_LE(std::abs(above - below), 3) << row.name << ": single line " << above << " above, " << below << " below";
    // Wrapped: from the top, whatever room is left below.
    EXPECT_LE(manyInk.top, 3) << row.name << ": wrapped text starts at the top";
    EXPECT_LT(manyInk.top, oneInk.top) << row.name;
    EXPECT_EQ(many.FirstLine().height(), one.FirstLine().height()) << row.name << ": the same line height";
  }
  // The long text needs more than one line when it wraps, and keeps one line when not.
  const Painted wrapped(Row(ControlIndex("透明标签1")));
  const Ink firstLine = wrapped.FirstLine();
  EXPECT_GT(wrapped.InkOf().height(), firstLine.height() * 3 / 2) << "透明标签1 wraps into a second line";
}

}  // namespace
}  // namespace qsh

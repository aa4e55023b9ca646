// How the transparent labels of the real table paint: the bold font of
// 透明标签2, the centred lines of 透明标签7, word wrap from the top against a
// single line centred from top to bottom. Each row is painted on white into
// a bitmap of its own size; glyphs differ from one machine to the next, so
// the checks compare ink boxes, never whole images.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/gdi_objects.h"
#include "shell/controls/control_painting.h"
#include "shell/window_description.h"

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
      : width_(row.place.width), height_(row.place.height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    bitmap_.reset(::CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dc || !bitmap_ || bits == nullptr) return;
    const ScopedSelection selection(dc.get(), bitmap_.get());
    const RECT area{0, 0, width_, height_};
    ::FillRect(dc.get(), &area, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    PaintTransparentLabel(dc.get(), area, row);
    ::GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    pixels_.assign(pixels, pixels + static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
  }

  [[nodiscard]] bool ok() const { return !pixels_.empty(); }

  [[nodiscard]] bool IsInk(int x, int y) const {
    const std::uint32_t p = pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                                    static_cast<std::size_t>(x)];
    const int sum = static_cast<int>(((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF));
    return sum <= 3 * 255 - 150;
  }

  // The ink between rows top and bottom (exclusive).
  [[nodiscard]] Ink InkOf(int top = 0, int bottom = -1) const {
    if (bottom < 0) bottom = height_;
    Ink ink;
    for (int y = top; y < bottom; ++y) {
      for (int x = 0; x < width_; ++x) {
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
    while (end < height_ && InkOf(end, end + 1).found()) ++end;
    return InkOf(all.top, end);
  }

  [[nodiscard]] int width() const { return width_; }
  [[nodiscard]] int height() const { return height_; }

 private:
  int width_, height_;
  UniqueBitmap bitmap_;
  std::vector<std::uint32_t> pixels_;
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

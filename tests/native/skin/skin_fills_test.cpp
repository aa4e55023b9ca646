#include "shell/skin/skin_fills.h"

#include <gtest/gtest.h>

#include "shell/skin/skin_state.h"

namespace qsh::skin {
namespace {

void ExpectFill(const Fill& fill, FillShape shape, std::initializer_list<Rgb> colours, int number) {
  EXPECT_EQ(fill.shape, shape) << "state " << number;
  std::size_t i = 0;
  for (Rgb colour : colours) {
    EXPECT_EQ(fill.colours[i], colour) << "state " << number << " colour " << i;
    ++i;
  }
}

TEST(PaletteTest, SchemeTwoHasTheColoursOfTheProgram) {
  const SkinPalette* palette = PaletteOf(2);
  ASSERT_NE(palette, nullptr);
  EXPECT_EQ(palette->pushButtonFrame, (Rgb{55, 98, 6}));
  EXPECT_EQ(palette->editFrame, (Rgb{164, 185, 127}));
  EXPECT_EQ(palette->groupBoxFrame, (Rgb{191, 184, 191}));
  const auto& f = palette->pushButtonFills;
  ExpectFill(f[0], FillShape::Flat, {{239, 227, 206}}, 0);
  ExpectFill(f[1], FillShape::Vertical, {{255, 240, 207}, {229, 151, 0}}, 1);
  ExpectFill(f[2], FillShape::FourCorners, {{214, 203, 189}, {214, 207, 198}, {247, 243, 239}, {247, 243, 239}}, 2);
  ExpectFill(f[3], FillShape::Vertical, {{255, 240, 207}, {229, 151, 0}}, 3);
  ExpectFill(f[4], FillShape::Vertical, {{255, 255, 255}, {226, 223, 214}}, 4);
  ExpectFill(f[5], FillShape::Flat, {{239, 227, 206}}, 5);
  ExpectFill(f[6], FillShape::Vertical, {{252, 252, 251}, {236, 225, 201}}, 6);
  EXPECT_EQ(palette->disabledFill, (Rgb{245, 244, 234}));
  EXPECT_EQ(palette->disabledText, (Rgb{165, 162, 148}));
  EXPECT_EQ(palette->text, (Rgb{0, 0, 0}));
}

TEST(PaletteTest, SchemesOneAndThreeHaveFramesAndFillsOfTheirOwn) {
  const SkinPalette* two = PaletteOf(2);
  for (int scheme : {1, 3}) {
    const SkinPalette* palette = PaletteOf(scheme);
    ASSERT_NE(palette, nullptr) << scheme;
    EXPECT_NE(palette->pushButtonFrame, two->pushButtonFrame) << scheme;
    EXPECT_NE(palette->editFrame, two->editFrame) << scheme;
    EXPECT_NE(palette->groupBoxFrame, two->groupBoxFrame) << scheme;
    EXPECT_NE(palette->pushButtonFills[fill::kFocused].colours[1], two->pushButtonFills[fill::kFocused].colours[1]);
    // The fills keep the shapes that the drawing expects.
    for (int state = 0; state < fill::kCount; ++state) {
      EXPECT_EQ(palette->pushButtonFills[static_cast<std::size_t>(state)].shape,
                two->pushButtonFills[static_cast<std::size_t>(state)].shape)
          << scheme << "/" << state;
    }
  }
  EXPECT_NE(PaletteOf(1)->pushButtonFrame, PaletteOf(3)->pushButtonFrame);
}

TEST(PaletteTest, OnlyOneToThreeAreSchemes) {
  for (std::int32_t scheme : {0, -1, 4, 100, INT32_MIN, INT32_MAX}) {
    EXPECT_FALSE(IsSkinScheme(scheme)) << scheme;
    EXPECT_EQ(PaletteOf(scheme), nullptr) << scheme;
  }
  for (std::int32_t scheme : {1, 2, 3}) EXPECT_TRUE(IsSkinScheme(scheme)) << scheme;
}

TEST(FillStateTest, ChoosesTheRingByPrecedence) {
  using namespace state;
  struct Row {
    std::uint32_t flags;
    int outer;
    int inner;
    bool innerShown;
  };
  for (const Row& row : {
           Row{0, fill::kNormal, fill::kInner, true},
           Row{kFocused, fill::kFocused, fill::kInner, true},
           Row{kDefault, fill::kFocused, fill::kInner, true},
           Row{kHot, fill::kHot, fill::kInner, true},
           Row{kHot | kFocused | kDefault, fill::kHot, fill::kInner, true},
           Row{kChecked, fill::kChecked, fill::kInnerPressed, true},
           Row{kIndeterminate, fill::kChecked, fill::kInnerPressed, true},
           Row{kChecked | kFocused, fill::kChecked, fill::kInnerPressed, true},
           Row{kChecked | kHot, fill::kHot, fill::kInnerPressed, true},
           Row{kPressed, fill::kPressed, fill::kInnerPressed, true},
           Row{kPressed | kHot | kChecked | kDefault, fill::kPressed, fill::kInnerPressed, true},
           Row{kDisabled, fill::kNormal, fill::kInner, false},
           Row{kDisabled | kFocused, fill::kFocused, fill::kInner, false},
           Row{kDisabled | kChecked, fill::kChecked, fill::kInnerPressed, true},
           Row{kDisabled | kPressed, fill::kPressed, fill::kInnerPressed, true},
           Row{kDisabled | kIndeterminate, fill::kChecked, fill::kInnerPressed, false},
           Row{kReadOnly, fill::kNormal, fill::kInner, true},
       }) {
    EXPECT_EQ(OuterFillState(row.flags), row.outer) << std::hex << row.flags;
    EXPECT_EQ(InnerFillState(row.flags), row.inner) << std::hex << row.flags;
    EXPECT_EQ(HasInnerFill(row.flags), row.innerShown) << std::hex << row.flags;
  }
}

TEST(FillColourAtTest, VerticalRunsFromTopRowToBottomRow) {
  const Fill& ring = PaletteOf(2)->pushButtonFills[fill::kFocused];
  for (int x : {0, 7, 70}) {
    EXPECT_EQ(FillColourAt(ring, x, 0, 71, 19), (Rgb{255, 240, 207}));
    EXPECT_EQ(FillColourAt(ring, x, 18, 71, 19), (Rgb{229, 151, 0}));
  }
  EXPECT_EQ(FillColourAt(ring, 0, 9, 71, 19), Blend({255, 240, 207}, {229, 151, 0}, 9, 18));
  EXPECT_EQ(FillColourAt(ring, 0, 0, 71, 1), (Rgb{255, 240, 207})) << "a single row shows the top";
}

TEST(FillColourAtTest, FlatIsOneColourEverywhere) {
  const Fill& pressed = PaletteOf(2)->pushButtonFills[fill::kPressed];
  EXPECT_EQ(FillColourAt(pressed, 0, 0, 10, 10), (Rgb{239, 227, 206}));
  EXPECT_EQ(FillColourAt(pressed, 9, 9, 10, 10), (Rgb{239, 227, 206}));
}

TEST(FillColourAtTest, FourCornersMeetTheirColoursAndBlendAcrossTwoTriangles) {
  const Fill fill{FillShape::FourCorners, {Rgb{0, 0, 0}, Rgb{200, 0, 0}, Rgb{0, 100, 0}, Rgb{0, 0, 60}}};
  EXPECT_EQ(FillColourAt(fill, 0, 0, 11, 11), (Rgb{0, 0, 0}));
  EXPECT_EQ(FillColourAt(fill, 10, 0, 11, 11), (Rgb{200, 0, 0}));
  EXPECT_EQ(FillColourAt(fill, 0, 10, 11, 11), (Rgb{0, 100, 0}));
  EXPECT_EQ(FillColourAt(fill, 10, 10, 11, 11), (Rgb{0, 0, 60}));
  // On the diagonal only top-right and bottom-left count.
  EXPECT_EQ(FillColourAt(fill, 5, 5, 11, 11), (Rgb{100, 50, 0}));
  // Upper triangle: the top-left colour, no bottom-right.
  EXPECT_EQ(FillColourAt(fill, 2, 2, 11, 11), (Rgb{40, 20, 0}));
  // Lower triangle: the bottom-right colour, no top-left.
  EXPECT_EQ(FillColourAt(fill, 8, 8, 11, 11), (Rgb{40, 20, 36}));
  // Outside the area: clamped to the edge.
  EXPECT_EQ(FillColourAt(fill, 20, -4, 11, 11), (Rgb{200, 0, 0}));
}

}  // namespace
}  // namespace qsh::skin

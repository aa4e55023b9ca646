#include "shell/skin/skin_colours.h"

#include <gtest/gtest.h>

namespace qsh::skin {
namespace {

TEST(ColourValueTest, PacksRedGreenBlueAsColourRef) {
  EXPECT_EQ(ToColourValue(Rgb{55, 98, 6}), 0x00066237u);
  EXPECT_EQ(FromColourValue(0x00066237u), (Rgb{55, 98, 6}));
  EXPECT_EQ(FromColourValue(0xFF000000u | 0x00BFB8BFu), (Rgb{191, 184, 191}));  // high byte ignored
}

TEST(DarkenFaceTest, SubtractsTheAmountAsOneInteger) {
  struct Row {
    Rgb face;
    std::uint32_t amount;
    Rgb expected;
  };
  for (const Row& row : {
           // The usual faces: every channel just loses its share.
           Row{{240, 240, 240}, kDisabledFrameDarkening, {208, 208, 208}},
           Row{{212, 208, 200}, kDisabledCornerDarkening, {191, 187, 179}},
           Row{{236, 233, 216}, kDisabledEdgeDarkening, {219, 216, 199}},
           Row{{32, 32, 32}, kDisabledFrameDarkening, {0, 0, 0}},
           // Red smaller than 32 borrows from green.
           Row{{16, 64, 64}, kDisabledFrameDarkening, {240, 31, 32}},
           // Green borrows from blue.
           Row{{64, 16, 64}, kDisabledFrameDarkening, {32, 240, 31}},
           // Blue has nothing to borrow from: it wraps within 24 bits.
           Row{{0, 0, 0}, kDisabledEdgeDarkening, {239, 238, 238}},
       }) {
    const std::uint32_t result = DarkenFace(ToColourValue(row.face), row.amount);
    EXPECT_EQ(FromColourValue(result), row.expected) << int(row.face.red) << "," << int(row.face.green);
    EXPECT_EQ(result & 0xFF000000u, 0u) << "always a plain colour value";
  }
}

TEST(DarkenFaceTest, AmountsAreThoseOfTheDisabledButton) {
  EXPECT_EQ(kDisabledFrameDarkening, 2105376u);
  EXPECT_EQ(kDisabledCornerDarkening, 1381653u);
  EXPECT_EQ(kDisabledEdgeDarkening, 1118481u);
}

TEST(BlendTest, RunsFromTheFirstColourToTheSecond) {
  const Rgb top{255, 240, 207};
  const Rgb bottom{229, 151, 0};
  EXPECT_EQ(Blend(top, bottom, 0, 10), top);
  EXPECT_EQ(Blend(top, bottom, 10, 10), bottom);
  EXPECT_EQ(Blend(top, bottom, 5, 10), (Rgb{242, 195, 103}));  // halves rounded away from zero
  EXPECT_EQ(Blend(top, bottom, -3, 10), top);
  EXPECT_EQ(Blend(top, bottom, 13, 10), bottom);
  EXPECT_EQ(Blend(top, bottom, 1, 0), top);
  EXPECT_EQ(Blend(Rgb{0, 0, 0}, Rgb{255, 255, 255}, 1, 3), (Rgb{85, 85, 85}));
}

}  // namespace
}  // namespace qsh::skin

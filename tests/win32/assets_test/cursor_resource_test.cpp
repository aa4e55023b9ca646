// The pointing hand shown over the link labels.

#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "assets/resource_ids.h"
#include "icon_parts.h"

namespace qsh::test {
namespace {

constexpr int kSide = 32;

// A monochrome cursor's mask bitmap is twice as tall as the cursor: the AND
// mask (1 = transparent) above the XOR image (1 = white).
struct MonochromeCursorBits {
  bool read = false;
  std::array<std::uint8_t, 4 * 2 * kSide> rows{};  // 32 pixels a row, top row first

  [[nodiscard]] bool Bit(int x, int y) const {
    const std::uint8_t byte = rows[static_cast<std::size_t>(4 * y + x / 8)];
    return ((byte >> (7 - x % 8)) & 1) != 0;
  }
  [[nodiscard]] bool Transparent(int x, int y) const { return Bit(x, y) && !Bit(x, y + kSide); }
  [[nodiscard]] bool Black(int x, int y) const { return !Bit(x, y) && !Bit(x, y + kSide); }
  [[nodiscard]] bool White(int x, int y) const { return !Bit(x, y) && Bit(x, y + kSide); }
};

MonochromeCursorBits ReadMask(HBITMAP mask) {
  MonochromeCursorBits bits;
  UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  if (!dc) return bits;
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[2];
  } info{};
  info.header.biSize = sizeof info.header;
  info.header.biWidth = kSide;
  info.header.biHeight = -2 * kSide;  // top-down
  info.header.biPlanes = 1;
  info.header.biBitCount = 1;
  info.header.biCompression = BI_RGB;
  const int lines = ::GetDIBits(dc.get(), mask, 0, 2 * kSide, bits.rows.data(),
                                reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  bits.read = lines == 2 * kSide;
  return bits;
}

TEST(HandCursor, LoadsAsAMonochrome32By32CursorWithItsHotSpotAtTheFingertip) {
  HCURSOR hand = ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HAND_POINTER));
  ASSERT_NE(hand, nullptr) << "LoadCursorA failed: " << ::GetLastError();  // shared: not destroyed
  const IconParts parts = ReadIconParts(hand);
  ASSERT_TRUE(parts.read);
  EXPECT_FALSE(parts.isIcon);
  EXPECT_EQ(parts.hotspotX, 6u);
  EXPECT_EQ(parts.hotspotY, 1u);
  EXPECT_FALSE(parts.color) << "a monochrome cursor has no colour bitmap";
  const BitmapShape shape = ShapeOf(parts.mask.get());
  EXPECT_EQ(shape.width, kSide);
  EXPECT_EQ(shape.height, 2 * kSide);
  EXPECT_EQ(shape.bitsPerPixel, 1);
}

TEST(HandCursor, IsAWhiteHandOutlinedInBlackOnATransparentGround) {
  HCURSOR hand = ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HAND_POINTER));
  ASSERT_NE(hand, nullptr);
  const IconParts parts = ReadIconParts(hand);
  ASSERT_TRUE(parts.read);
  const MonochromeCursorBits bits = ReadMask(parts.mask.get());
  ASSERT_TRUE(bits.read);

  EXPECT_TRUE(bits.Black(6, 1)) << "the hot spot is the fingertip's outline";
  EXPECT_TRUE(bits.Transparent(6, 0)) << "nothing above the fingertip";
  EXPECT_TRUE(bits.White(6, 3)) << "inside the finger";
  EXPECT_TRUE(bits.Transparent(0, 0));
  EXPECT_TRUE(bits.Transparent(31, 31));

  int white = 0;
  int black = 0;
  int inverted = 0;
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      white += bits.White(x, y) ? 1 : 0;
      black += bits.Black(x, y) ? 1 : 0;
      inverted += bits.Bit(x, y) && bits.Bit(x, y + kSide) ? 1 : 0;
    }
  }
  EXPECT_GT(white, 150) << "a hand, not a dot";
  EXPECT_GT(black, 60) << "its outline";
  EXPECT_EQ(inverted, 0) << "no screen-inverting pixels";
}

}  // namespace
}  // namespace qsh::test

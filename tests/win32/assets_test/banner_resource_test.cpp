// The banner across the top of the main window, as the program loads it.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <set>

#include "assets/resource_ids.h"
#include "icon_parts.h"
#include "module_resource.h"

namespace qsh::test {
namespace {

constexpr LONG kWidth = 600;
constexpr LONG kHeight = 200;
constexpr std::size_t kPixelBytes = kWidth * kHeight * 3;
// The BMP file minus its 14-byte file header, which the resource does not keep.
constexpr std::size_t kResourceSize = 360056 - 14;

TEST(BannerResource, LoadsAsA600By200TrueColourPicture) {
  UniqueBitmap banner(static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(nullptr),
                                                       MAKEINTRESOURCEA(IDB_BANNER), IMAGE_BITMAP,
                                                       0, 0, LR_CREATEDIBSECTION)));
  ASSERT_TRUE(banner) << "LoadImageA failed: " << ::GetLastError();
  const BitmapShape shape = ShapeOf(banner.get());
  EXPECT_EQ(shape.width, kWidth);
  EXPECT_EQ(shape.height, kHeight);
  EXPECT_EQ(shape.bitsPerPixel, 24);
}

TEST(BannerResource, IsAnUncompressedBottomUpBitmap) {
  const auto bytes = ModuleResource(MAKEINTRESOURCEA(IDB_BANNER), MAKEINTRESOURCEA(2));  // RT_BITMAP
  ASSERT_EQ(bytes.size(), kResourceSize);
  BITMAPINFOHEADER header{};
  ASSERT_TRUE(ReadAt(bytes, 0, header));
  EXPECT_EQ(header.biSize, sizeof(BITMAPINFOHEADER));
  EXPECT_EQ(header.biWidth, kWidth);
  EXPECT_EQ(header.biHeight, kHeight) << "a positive height means bottom-up rows";
  EXPECT_EQ(header.biPlanes, 1);
  EXPECT_EQ(header.biBitCount, 24);
  EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
  EXPECT_EQ(header.biClrUsed, 0u) << "a true-colour bitmap has no colour table";
  EXPECT_GE(bytes.size() - header.biSize, kPixelBytes);
}

TEST(BannerResource, HasAPictureNotAFlatFill) {
  const auto bytes = ModuleResource(MAKEINTRESOURCEA(IDB_BANNER), MAKEINTRESOURCEA(2));
  ASSERT_EQ(bytes.size(), kResourceSize);
  std::set<std::uint32_t> colours;
  const auto pixels = bytes.subspan(sizeof(BITMAPINFOHEADER), kPixelBytes);
  for (std::size_t at = 0; at < pixels.size(); at += 3) {
    colours.insert(static_cast<std::uint32_t>(pixels[at]) |
                   static_cast<std::uint32_t>(pixels[at + 1]) << 8 |
                   static_cast<std::uint32_t>(pixels[at + 2]) << 16);
  }
  // A gradient, an emblem and anti-aliased text: far more than a few colours.
  EXPECT_GT(colours.size(), 1000u);
}

}  // namespace
}  // namespace qsh::test

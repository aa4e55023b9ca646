// The fills on a real device context: the system's GradientFill from the
// system folder's msimg32.dll, and our own drawing when it is missing, meet
// the scheme's colours at the corners.
#include "shell/skin/skin_gradient.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

#include "platform/gdi_objects.h"
#include "tests/win32/skin/capture.h"

namespace qsh::skin {
namespace {

using testing::Near;

// A 32-bit memory bitmap to draw on and read back.
class Surface {
 public:
  Surface(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_.reset(::CreateCompatibleDC(nullptr));
    bitmap_.reset(::CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
    previous_ = ::SelectObject(dc_.get(), bitmap_.get());
  }
  ~Surface() { ::SelectObject(dc_.get(), previous_); }
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;
  [[nodiscard]] HDC dc() const { return dc_.get(); }
  [[nodiscard]] Rgb At(int x, int y) const {
    ::GdiFlush();
    const std::uint32_t value = static_cast<const std::uint32_t*>(bits_)[y * width_ + x];
    return Rgb{static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
               static_cast<std::uint8_t>(value)};
  }
  [[nodiscard]] int height() const { return height_; }

 private:
  int width_;
  int height_;
  UniqueMemoryDc dc_;
  UniqueBitmap bitmap_;
  void* bits_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

TEST(GradientTest, GradientFillComesFromTheSystemFolder) {
  ASSERT_TRUE(SystemGradientAvailable());
  HMODULE module = ::GetModuleHandleA("msimg32.dll");
  ASSERT_NE(module, nullptr);
  std::array<char, MAX_PATH> path{};
  const DWORD length = ::GetModuleFileNameA(module, path.data(), static_cast<DWORD>(path.size()));
  std::array<char, MAX_PATH> system{};
  const UINT systemLength = ::GetSystemDirectoryA(system.data(), static_cast<UINT>(system.size()));
  ASSERT_GT(length, 0u);
  ASSERT_GT(systemLength, 0u);
  EXPECT_EQ(::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, path.data(), static_cast<int>(systemLength),
                             system.data(), static_cast<int>(systemLength)),
            CSTR_EQUAL)
      << path.data() << " is not in " << system.data();
}

struct FillCase {
  const char* label;
  int state;
};

class FillMeansTest : public ::testing::TestWithParam<GradientMeans> {};

TEST_P(FillMeansTest, CornersShowTheTableColours) {
  const SkinPalette& palette = *PaletteOf(2);
  const int width = 67;
  const int height = 19;
  for (const FillCase& c : {FillCase{"hot", fill::kHot}, FillCase{"checked", fill::kChecked},
                            FillCase{"focused", fill::kFocused}, FillCase{"normal", fill::kNormal},
                            FillCase{"inner", fill::kInner}, FillCase{"pressed", fill::kPressed}}) {
    Surface surface(width + 4, height + 4);
    const Fill& fill = palette.pushButtonFills[static_cast<std::size_t>(c.state)];
    const GradientMeans used = FillAreaWith(GetParam(), surface.dc(), Rect{2, 2, 2 + width, 2 + height}, fill);
    EXPECT_EQ(used, GetParam()) << c.label;
    // The corners are the scheme's colours exactly, whichever means drew
    // them; in between, the two means may round differently.
    const int tolerance = 2;
    const std::array<std::array<int, 2>, 4> corners{{{0, 0}, {width - 1, 0}, {0, height - 1}, {width - 1, height - 1}}};
    for (std::size_t i = 0; i < corners.size(); ++i) {
      const int x = corners[i][0];
      const int y = corners[i][1];
      const Rgb expected = FillColourAt(fill, x, y, width, height);
      EXPECT_EQ(surface.At(2 + x, 2 + y), expected) << c.label << " corner " << i << ": " << surface.At(2 + x, 2 + y) << " vs " << expected;
    }
    for (int y = 0; y < height; ++y) {
      for (int x : {1, width / 2, width - 2}) {
        const Rgb expected = FillColourAt(fill, x, y, width, height);
        EXPECT_TRUE(Near(surface.At(2 + x, 2 + y), expected, tolerance))
            << c.label << " at " << x << "," << y << ": " << surface.At(2 + x, 2 + y) << " vs " << expected;
      }
    }
    // Nothing drawn outside the area.
    EXPECT_EQ(surface.At(1, 1), (Rgb{0, 0, 0})) << c.label;
    EXPECT_EQ(surface.At(2 + width, 2 + height), (Rgb{0, 0, 0})) << c.label;
    EXPECT_EQ(surface.At(2 + width, 2), (Rgb{0, 0, 0})) << c.label;
  }
}

INSTANTIATE_TEST_SUITE_P(BothMeans, FillMeansTest,
                         ::testing::Values(GradientMeans::System, GradientMeans::Own));

}  // namespace
}  // namespace qsh::skin

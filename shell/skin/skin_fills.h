#pragma once
// The colours of the three schemes and the choice of push button fill for a
// set of state flags.

#include <array>
#include <cstdint>

#include "shell/skin/skin_colours.h"

namespace qsh::skin {

enum class FillShape : std::uint8_t {
  Flat,         // colours[0]
  Vertical,     // colours[0] at the top to colours[1] at the bottom
  FourCorners,  // top-left, top-right, bottom-left, bottom-right; two triangles
};

struct Fill {
  FillShape shape = FillShape::Flat;
  std::array<Rgb, 4> colours{};
};

// Fill state numbers of a push button.
namespace fill {
inline constexpr int kPressed = 0;
inline constexpr int kHot = 1;
inline constexpr int kChecked = 2;  // checked or indeterminate
inline constexpr int kFocused = 3;  // focused or default
inline constexpr int kNormal = 4;
inline constexpr int kInnerPressed = 5;  // pressed, checked or indeterminate
inline constexpr int kInner = 6;
inline constexpr int kCount = 7;
}  // namespace fill

struct SkinPalette {
  Rgb pushButtonFrame;
  Rgb editFrame;  // edit boxes, combo boxes and drop-down lists
  Rgb groupBoxFrame;
  std::array<Fill, fill::kCount> pushButtonFills;
  Rgb disabledFill;
  Rgb disabledText;  // disabled or indeterminate button text
  Rgb text;          // enabled button text
};

// Schemes 1 to 3 switch the skin on; every other number means off.
[[nodiscard]] constexpr bool IsSkinScheme(std::int32_t scheme) noexcept {
  return scheme >= 1 && scheme <= 3;
}

// The palette of scheme 1, 2 or 3; nullptr for any other number.
[[nodiscard]] const SkinPalette* PaletteOf(std::int32_t scheme) noexcept;

// The fill of the ring inside a push button's frame: pressed, else hot, else
// checked or indeterminate, else focused or default, else normal.
[[nodiscard]] int OuterFillState(std::uint32_t flags) noexcept;
// The fill of the area inside the ring.
[[nodiscard]] int InnerFillState(std::uint32_t flags) noexcept;
// A disabled button that is neither pressed nor checked shows no inner fill.
[[nodiscard]] bool HasInnerFill(std::uint32_t flags) noexcept;

// The colour of `fill` at pixel (x, y) of a width x height area, with the
// corner colours exactly at the corner pixels. This is the drawing when the
// system's gradient fill is not at hand.
[[nodiscard]] Rgb FillColourAt(const Fill& fill, int x, int y, int width, int height) noexcept;

}  // namespace qsh::skin

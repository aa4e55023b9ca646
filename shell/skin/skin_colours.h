#pragma once
// Colours of the skin as (red, green, blue), their 0x00BBGGRR colour values
// as GDI takes them, and the colour arithmetic the drawing needs.

#include <cstdint>

namespace qsh::skin {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

// 0x00BBGGRR, the layout of a COLORREF.
[[nodiscard]] constexpr std::uint32_t ToColourValue(Rgb colour) noexcept {
  return static_cast<std::uint32_t>(colour.red) | (static_cast<std::uint32_t>(colour.green) << 8) |
         (static_cast<std::uint32_t>(colour.blue) << 16);
}
[[nodiscard]] constexpr Rgb FromColourValue(std::uint32_t value) noexcept {
  return Rgb{static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>((value >> 8) & 0xFF),
             static_cast<std::uint8_t>((value >> 16) & 0xFF)};
}

// How much darker than the button face a disabled push button draws its
// parts; 32, 21 and 17 in each channel.
inline constexpr std::uint32_t kDisabledFrameDarkening = 2105376;   // 0x202020
inline constexpr std::uint32_t kDisabledCornerDarkening = 1381653;  // 0x151515
inline constexpr std::uint32_t kDisabledEdgeDarkening = 1118481;    // 0x111111

// The face colour value minus `amount`, as one integer subtraction on the
// 0x00BBGGRR value. A channel smaller than its part of `amount` borrows from
// the channel above it (face (16, 64, 64) less 0x202020 gives (240, 31, 32));
// a borrow out of blue wraps around, and the result keeps only the low 24
// bits so that it is always a plain colour value. With the usual light faces
// no channel is that small and every channel simply loses its part.
[[nodiscard]] std::uint32_t DarkenFace(std::uint32_t faceValue, std::uint32_t amount) noexcept;

// The colour `step` of `steps` of the way from `from` to `to`, each channel
// rounded to nearest; step 0 is `from` and step `steps` is `to`. A `steps` of
// 0 or less gives `from`; steps outside 0..steps are clamped.
[[nodiscard]] Rgb Blend(Rgb from, Rgb to, int step, int steps) noexcept;

}  // namespace qsh::skin

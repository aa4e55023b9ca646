#include "shell/skin/skin_fills.h"

#include <cstdint>

#include "shell/skin/skin_state.h"

namespace qsh::skin {

namespace {

constexpr Fill Flat(Rgb colour) { return Fill{FillShape::Flat, {colour, colour, colour, colour}}; }
constexpr Fill Vertical(Rgb top, Rgb bottom) {
  return Fill{FillShape::Vertical, {top, bottom, top, bottom}};
}
constexpr Fill Corners(Rgb topLeft, Rgb topRight, Rgb bottomLeft, Rgb bottomRight) {
  return Fill{FillShape::FourCorners, {topLeft, topRight, bottomLeft, bottomRight}};
}

constexpr Rgb kDisabledFill{245, 244, 234};
constexpr Rgb kDisabledText{165, 162, 148};
constexpr Rgb kBlack{0, 0, 0};

// Scheme 1: cool blue, a dark navy frame and sky-blue highlights.
constexpr SkinPalette kBlueScheme{
    {0, 60, 116},
    {127, 157, 185},
    {170, 186, 206},
    {{
        Flat({209, 222, 240}),
        Vertical({232, 244, 255}, {102, 164, 232}),
        Corners({196, 210, 229}, {200, 214, 234}, {236, 242, 250}, {236, 242, 250}),
        Vertical({222, 238, 255}, {82, 134, 214}),
        Vertical({255, 255, 255}, {214, 224, 238}),
        Flat({209, 222, 240}),
        Vertical({251, 252, 255}, {218, 228, 244}),
    }},
    kDisabledFill,
    kDisabledText,
    kBlack};

// Scheme 2: olive frame, warm cream fills and an orange ring for the hot,
// focused or default button.
constexpr SkinPalette kOliveScheme{
    {55, 98, 6},
    {164, 185, 127},
    {191, 184, 191},
    {{
        Flat({239, 227, 206}),
        Vertical({255, 240, 207}, {229, 151, 0}),
        Corners({214, 203, 189}, {214, 207, 198}, {247, 243, 239}, {247, 243, 239}),
        Vertical({255, 240, 207}, {229, 151, 0}),
        Vertical({255, 255, 255}, {226, 223, 214}),
        Flat({239, 227, 206}),
        Vertical({252, 252, 251}, {236, 225, 201}),
    }},
    kDisabledFill,
    kDisabledText,
    kBlack};

// Scheme 3: silver, a slate frame and pale steel fills.
constexpr SkinPalette kSilverScheme{
    {84, 88, 104},
    {165, 172, 181},
    {196, 196, 204},
    {{
        Flat({224, 224, 230}),
        Vertical({255, 255, 255}, {178, 182, 200}),
        Corners({206, 206, 214}, {210, 210, 218}, {246, 246, 250}, {246, 246, 250}),
        Vertical({250, 250, 255}, {150, 156, 182}),
        Vertical({255, 255, 255}, {222, 222, 230}),
        Flat({224, 224, 230}),
        Vertical({253, 253, 255}, {230, 230, 238}),
    }},
    kDisabledFill,
    kDisabledText,
    kBlack};

}  // namespace

const SkinPalette* PaletteOf(std::int32_t scheme) noexcept {
  switch (scheme) {
    case 1: return &kBlueScheme;
    case 2: return &kOliveScheme;
    case 3: return &kSilverScheme;
    default: return nullptr;
  }
}

int OuterFillState(std::uint32_t flags) noexcept {
  if (Has(flags, state::kPressed)) return fill::kPressed;
  if (Has(flags, state::kHot)) return fill::kHot;
  if (Has(flags, state::kChecked | state::kIndeterminate)) return fill::kChecked;
  if (Has(flags, state::kFocused | state::kDefault)) return fill::kFocused;
  return fill::kNormal;
}

int InnerFillState(std::uint32_t flags) noexcept {
  return Has(flags, state::kPressed | state::kChecked | state::kIndeterminate) ? fill::kInnerPressed
                                                                             : fill::kInner;
}

bool HasInnerFill(std::uint32_t flags) noexcept {
  return !Has(flags, state::kDisabled) || Has(flags, state::kPressed | state::kChecked);
}

namespace {

// (numerator / denominator) rounded to nearest, for a non-negative result.
std::uint8_t RoundedChannel(std::int64_t numerator, std::int64_t denominator) {
  std::int64_t value = (2 * numerator + denominator) / (2 * denominator);
  if (value < 0) value = 0;
  if (value > 255) value = 255;
  return static_cast<std::uint8_t>(value);
}

// a + (b - a) * s + (c - a) * t for one channel, s = sx / sw and t = ty / th,
// returned over the common denominator sw * th.
std::int64_t Plane(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t sx, std::int64_t sw,
                   std::int64_t ty, std::int64_t th) {
  return a * sw * th + (b - a) * sx * th + (c - a) * ty * sw;
}

}  // namespace

Rgb FillColourAt(const Fill& fill, int x, int y, int width, int height) noexcept {
  const auto& c = fill.colours;
  switch (fill.shape) {
    case FillShape::Flat:
      return c[0];
    case FillShape::Vertical:
      return Blend(c[0], c[1], y, height - 1);
    case FillShape::FourCorners:
      break;
  }
  const std::int64_t w = width > 1 ? width - 1 : 1;
  const std::int64_t h = height > 1 ? height - 1 : 1;
  const std::int64_t px = x < 0 ? 0 : (x > w ? w : x);
  const std::int64_t py = y < 0 ? 0 : (y > h ? h : y);
  const std::int64_t denominator = w * h;
  auto channel = [&](auto member) {
    const std::int64_t topLeft = c[0].*member, topRight = c[1].*member;
    const std::int64_t bottomLeft = c[2].*member, bottomRight = c[3].*member;
    // Upper-left triangle: top-left, top-right, bottom-left. Lower-right
    // triangle: bottom-right, bottom-left, top-right, measured from the
    // bottom-right corner. Both agree on the diagonal.
    if (px * h + py * w <= denominator) {
      return RoundedChannel(Plane(topLeft, topRight, bottomLeft, px, w, py, h), denominator);
    }
    return RoundedChannel(Plane(bottomRight, bottomLeft, topRight, w - px, w, h - py, h), denominator);
  };
  return Rgb{channel(&Rgb::red), channel(&Rgb::green), channel(&Rgb::blue)};
}

}  // namespace qsh::skin

#include "shell/skin/skin_colours.h"

#include <algorithm>

namespace qsh::skin {

std::uint32_t DarkenFace(std::uint32_t faceValue, std::uint32_t amount) noexcept {
  // Unsigned subtraction wraps instead of overflowing, which is exactly the
  // borrow between channels described above.
  return (faceValue - amount) & 0x00FFFFFFu;
}

namespace {

std::uint8_t BlendChannel(std::uint8_t from, std::uint8_t to, int step, int steps) {
  const int difference = static_cast<int>(to) - static_cast<int>(from);
  // Round half away from zero so that the blend is symmetric.
  const int scaled = difference * step;
  const int rounded = scaled >= 0 ? (2 * scaled + steps) / (2 * steps)
                                  : -((-2 * scaled + steps) / (2 * steps));
  return static_cast<std::uint8_t>(static_cast<int>(from) + rounded);
}

}  // namespace

Rgb Blend(Rgb from, Rgb to, int step, int steps) noexcept {
  if (steps <= 0) return from;
  const int clamped = std::clamp(step, 0, steps);
  return Rgb{BlendChannel(from.red, to.red, clamped, steps),
             BlendChannel(from.green, to.green, clamped, steps),
             BlendChannel(from.blue, to.blue, clamped, steps)};
}

}  // namespace qsh::skin

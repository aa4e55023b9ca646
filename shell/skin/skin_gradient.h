#pragma once
// Fills an area with one of the skin's fills. Gradients use the system's
// GradientFill from msimg32.dll, loaded from the system folder at the first
// use; where that is not at hand, the skin computes the gradient itself.

#include <windows.h>

#include "shell/skin/skin_fills.h"
#include "shell/skin/skin_layout.h"

namespace qsh::skin {

enum class GradientMeans : std::uint8_t {
  System,  // GradientFill
  Own,     // row by row, or pixel by pixel for the four-corner fill
};

// True when msimg32.dll and its GradientFill could be loaded.
[[nodiscard]] bool SystemGradientAvailable() noexcept;

// The system's gradient where available, else our own.
void FillArea(HDC dc, const Rect& area, const Fill& fill) noexcept;

// With the means named; System falls back to Own when unavailable. Returns
// the means actually used.
GradientMeans FillAreaWith(GradientMeans means, HDC dc, const Rect& area, const Fill& fill) noexcept;

}  // namespace qsh::skin

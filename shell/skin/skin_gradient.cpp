#include "shell/skin/skin_gradient.h"

#include <array>

#include "platform/gdi_objects.h"
#include "platform/system_library.h"

namespace qsh::skin {

namespace {

using GradientFillFunction = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

// Loaded once and kept for the life of the process.
GradientFillFunction SystemGradientFill() noexcept {
  static const UniqueModule module = LoadSystemLibrary(L"msimg32.dll");
  static const auto function = FindExport<GradientFillFunction>(module, "GradientFill");
  return function;
}

TRIVERTEX Vertex(int x, int y, Rgb colour) {
  // GradientFill takes 16-bit channels; the colour sits in the high byte.
  return TRIVERTEX{x, y, static_cast<COLOR16>(colour.red << 8), static_cast<COLOR16>(colour.green << 8),
                   static_cast<COLOR16>(colour.blue << 8), 0};
}

void FillFlat(HDC dc, const Rect& area, Rgb colour) {
  UniqueBrush brush(::CreateSolidBrush(ToColourValue(colour)));
  if (!brush) return;
  const RECT rect{area.left, area.top, area.right, area.bottom};
  ::FillRect(dc, &rect, brush.get());
}

// GradientFill stops one step short of the far colours: it fills up to
// the right and bottom vertex, not including it. The vertices are put on
// the last column and row instead, so that all four corners show their
// colours exactly, and that column and row are finished without it.
bool FillWithSystem(GradientFillFunction gradientFill, HDC dc, const Rect& area, const Fill& fill) {
  const auto& c = fill.colours;
  const int width = area.Width();
  const int height = area.Height();
  const int lastX = area.right - 1;
  const int lastY = area.bottom - 1;
  if (fill.shape == FillShape::Vertical) {
    if (height > 1) {
      std::array<TRIVERTEX, 2> vertices{Vertex(area.left, area.top, c[0]), Vertex(area.right, lastY, c[1])};
      GRADIENT_RECT rect{0, 1};
      if (!gradientFill(dc, vertices.data(), 2, &rect, 1, GRADIENT_FILL_RECT_V)) return false;
    }
    FillFlat(dc, Rect{area.left, lastY, area.right, area.bottom}, FillColourAt(fill, 0, height - 1, width, height));
    return true;
  }
  if (width < 2 || height < 2) return false;  // nothing for the triangles to cover
  // Two triangles: top-left, top-right, bottom-left, and bottom-right,
  // top-right, bottom-left.
  std::array<TRIVERTEX, 4> vertices{Vertex(area.left, area.top, c[0]), Vertex(lastX, area.top, c[1]),
                                    Vertex(area.left, lastY, c[2]), Vertex(lastX, lastY, c[3])};
  std::array<GRADIENT_TRIANGLE, 2> triangles{GRADIENT_TRIANGLE{0, 1, 2}, GRADIENT_TRIANGLE{3, 1, 2}};
  if (!gradientFill(dc, vertices.data(), 4, triangles.data(), 2, GRADIENT_FILL_TRIANGLE)) return false;
  for (int y = 0; y < height; ++y) {
    ::SetPixelV(dc, lastX, area.top + y, ToColourValue(FillColourAt(fill, width - 1, y, width, height)));
  }
  for (int x = 0; x < width - 1; ++x) {
    ::SetPixelV(dc, area.left + x, lastY, ToColourValue(FillColourAt(fill, x, height - 1, width, height)));
  }
  return true;
}

void FillWithOwn(HDC dc, const Rect& area, const Fill& fill) {
  const int width = area.Width();
  const int height = area.Height();
  if (fill.shape == FillShape::Vertical) {
    for (int y = 0; y < height; ++y) {
      FillFlat(dc, Rect{area.left, area.top + y, area.right, area.top + y + 1},
               FillColourAt(fill, 0, y, width, height));
    }
    return;
  }
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      ::SetPixelV(dc, area.left + x, area.top + y, ToColourValue(FillColourAt(fill, x, y, width, height)));
    }
  }
}

}  // namespace

bool SystemGradientAvailable() noexcept { return SystemGradientFill() != nullptr; }

GradientMeans FillAreaWith(GradientMeans means, HDC dc, const Rect& area, const Fill& fill) noexcept {
  if (area.Empty()) return means;
  if (fill.shape == FillShape::Flat) {
    FillFlat(dc, area, fill.colours[0]);
    return means;
  }
  if (means == GradientMeans::System) {
    const GradientFillFunction gradientFill = SystemGradientFill();
    if (gradientFill != nullptr && FillWithSystem(gradientFill, dc, area, fill)) return GradientMeans::System;
  }
  FillWithOwn(dc, area, fill);
  return GradientMeans::Own;
}

void FillArea(HDC dc, const Rect& area, const Fill& fill) noexcept {
  FillAreaWith(GradientMeans::System, dc, area, fill);
}

}  // namespace qsh::skin

#pragma once
// The off-screen bitmap every skinned paint goes through: as large as the
// whole window, on a device context of the whole window, copied onto the
// window in one step at the end so that the control does not flicker.

#include <windows.h>

#include <optional>

#include "platform/gdi_objects.h"
#include "shell/skin/skin_colours.h"
#include "shell/skin/skin_layout.h"

namespace qsh::skin {

class SkinCanvas {
 public:
  explicit SkinCanvas(HWND window) noexcept;
  SkinCanvas(const SkinCanvas&) = delete;
  SkinCanvas& operator=(const SkinCanvas&) = delete;

  // False when a device context or the bitmap could not be had; nothing
  // is drawn then.
  explicit operator bool() const noexcept { return selection_.has_value(); }

  [[nodiscard]] HDC dc() const noexcept { return memory_.get(); }
  // The whole window, at (0, 0).
  [[nodiscard]] Rect WindowArea() const noexcept { return Rect{0, 0, width_, height_}; }
  // The client area, at (0, 0), once UseClientCoordinates has been called.
  [[nodiscard]] Rect ClientArea() const noexcept { return Rect{0, 0, client_.Width(), client_.Height()}; }

  // Copies what the window shows now into the bitmap, so that only what is
  // drawn afterwards changes.
  void CopyWindowImage() noexcept;
  // From here on, (0, 0) is the top-left pixel of the client area.
  void UseClientCoordinates() noexcept;
  // Copies the bitmap onto the window.
  void Present() noexcept;

  void Fill(const Rect& area, Rgb colour) noexcept;
  void Fill(const Rect& area, HBRUSH brush) noexcept;
  void Frame(const Rect& area, Rgb colour) noexcept;
  void SetPixel(Point point, Rgb colour) noexcept;
  [[nodiscard]] Rgb PixelAt(Point point) const noexcept;

 private:
  WindowDc windowDc_;
  UniqueMemoryDc memory_;
  UniqueBitmap bitmap_;
  int width_ = 0;
  int height_ = 0;
  Rect client_;  // the client area in window coordinates
  std::optional<ScopedSelection> selection_;  // last: deselected first
};

// The brush the parent gave, or the button face while it gave none (or the
// brush it gave is gone).
[[nodiscard]] HBRUSH BackgroundBrush(std::uintptr_t brush) noexcept;

}  // namespace qsh::skin

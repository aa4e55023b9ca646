#pragma once
// Owners of GDI resources: objects (bitmaps, brushes, pens, fonts, regions),
// memory device contexts, device contexts borrowed from a window, and the
// selection of an object into a device context.

#include <windows.h>

#include "platform/unique_handle.h"

namespace qsh {

template <typename Object>
struct GdiObjectTraits {
  using Handle = Object;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle handle) noexcept { ::DeleteObject(handle); }
};
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniquePen = UniqueHandle<GdiObjectTraits<HPEN>>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueRegion = UniqueHandle<GdiObjectTraits<HRGN>>;

struct MemoryDcTraits {
  using Handle = HDC;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle handle) noexcept { ::DeleteDC(handle); }
};
// A device context from CreateCompatibleDC.
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;

// A device context of a window (GetDC for the client area, GetWindowDC for
// the whole window), given back with ReleaseDC.
class WindowDc {
 public:
  enum class Area { Client, Whole };
  WindowDc(HWND window, Area area) noexcept
      : window_(window), dc_(area == Area::Whole ? ::GetWindowDC(window) : ::GetDC(window)) {}
  ~WindowDc() {
    if (dc_ != nullptr) ::ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;

  [[nodiscard]] HDC get() const noexcept { return dc_; }
  explicit operator bool() const noexcept { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects an object into a device context for the life of the scope and
// selects the previous one back at its end. The object must outlive it.
// Not for regions: selecting a region sets the clip and hands back no object.
class ScopedSelection {
 public:
  ScopedSelection(HDC dc, HGDIOBJ object) noexcept
      : dc_(dc), previous_(object != nullptr ? ::SelectObject(dc, object) : nullptr) {}
  ~ScopedSelection() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
  }
  ScopedSelection(const ScopedSelection&) = delete;
  ScopedSelection& operator=(const ScopedSelection&) = delete;

  // False when nothing was selected (no object, or the selection failed).
  [[nodiscard]] bool selected() const noexcept {
    return previous_ != nullptr && previous_ != HGDI_ERROR;
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace qsh

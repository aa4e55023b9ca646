#pragma once
// Owners of the icons the resource tests load, and small readers of what GDI
// says about icons, cursors and bitmaps.

#include <windows.h>

#include "platform/gdi_objects.h"
#include "platform/unique_handle.h"
#include "platform/user_handles.h"

namespace qsh::test {

using qsh::UniqueIcon;

// What GetIconInfo tells about an icon or cursor; it owns the two bitmaps that
// GetIconInfo hands to its caller.
struct IconParts {
  bool read = false;
  bool isIcon = false;
  DWORD hotspotX = 0;
  DWORD hotspotY = 0;
  UniqueBitmap mask;
  UniqueBitmap color;
};

inline IconParts ReadIconParts(HICON icon) {
  IconParts parts;
  ICONINFO info{};
  if (icon == nullptr || !::GetIconInfo(icon, &info)) return parts;
  parts.read = true;
  parts.isIcon = info.fIcon != FALSE;
  parts.hotspotX = info.xHotspot;
  parts.hotspotY = info.yHotspot;
  parts.mask.reset(info.hbmMask);
  parts.color.reset(info.hbmColor);
  return parts;
}

// Width, height and depth of a bitmap; all zero when GetObject cannot read it.
struct BitmapShape {
  LONG width = 0;
  LONG height = 0;
  WORD bitsPerPixel = 0;
};

inline BitmapShape ShapeOf(HBITMAP bitmap) {
  BITMAP bm{};
  if (bitmap == nullptr || ::GetObjectA(bitmap, sizeof bm, &bm) != sizeof bm) return {};
  return {bm.bmWidth, bm.bmHeight, bm.bmBitsPixel};
}

}  // namespace qsh::test

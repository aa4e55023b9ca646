#pragma once
// Owners of user32 objects.

#include <windows.h>

#include "platform/unique_handle.h"

namespace qsh {

struct IconTraits {
  using Handle = HICON;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle handle) noexcept { ::DestroyIcon(handle); }
};
// An icon from LoadImageW without LR_SHARED, which its loader destroys.
using UniqueIcon = UniqueHandle<IconTraits>;

struct WindowTraits {
  using Handle = HWND;
  static Handle Invalid() noexcept { return nullptr; }
  // A window the user closed is gone already.
  static void Close(Handle handle) noexcept {
    if (::IsWindow(handle)) ::DestroyWindow(handle);
  }
};
// A window of the calling thread, destroyed by its owner.
using UniqueWindow = UniqueHandle<WindowTraits>;

}  // namespace qsh

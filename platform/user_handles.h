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
// An icon from LoadImageA without LR_SHARED, which its loader destroys.
using UniqueIcon = UniqueHandle<IconTraits>;

}  // namespace qsh

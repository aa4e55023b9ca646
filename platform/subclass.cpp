#include "platform/subclass.h"

namespace qsh {

CharacterSet CharacterSetOf(HWND window) noexcept {
  return ::IsWindowUnicode(window) ? CharacterSet::Unicode : CharacterSet::Ansi;
}

WNDPROC ReplaceWindowProcedure(HWND window, WNDPROC procedure, CharacterSet set) noexcept {
  const auto value = reinterpret_cast<LONG_PTR>(procedure);
  return reinterpret_cast<WNDPROC>(set == CharacterSet::Unicode
                                       ? ::SetWindowLongPtrW(window, GWLP_WNDPROC, value)
                                       : ::SetWindowLongPtrA(window, GWLP_WNDPROC, value));
}

LRESULT CallReplacedProcedure(WNDPROC replaced, HWND window, UINT message, WPARAM wParam,
                              LPARAM lParam, CharacterSet set) noexcept {
  if (set == CharacterSet::Ansi) {
    return replaced != nullptr ? ::CallWindowProcA(replaced, window, message, wParam, lParam)
                               : ::DefWindowProcA(window, message, wParam, lParam);
  }
  return replaced != nullptr ? ::CallWindowProcW(replaced, window, message, wParam, lParam)
                             : ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace qsh

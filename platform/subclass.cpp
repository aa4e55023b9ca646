#include "platform/subclass.h"

namespace qsh {

WNDPROC ReplaceWindowProcedure(HWND window, WNDPROC procedure) noexcept {
  return reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

LRESULT CallReplacedProcedure(WNDPROC replaced, HWND window, UINT message, WPARAM wParam,
                              LPARAM lParam) noexcept {
  return replaced != nullptr ? ::CallWindowProcA(replaced, window, message, wParam, lParam)
                             : ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace qsh

// Group boxes are standard BUTTON windows; this procedure in front of theirs
// gives them the button face background and binds their button-down event.
#include "shell/controls/control_classes.h"

namespace qsh {
namespace {

constexpr const char* kPreviousProcedureProperty = "QelvarinGroupBoxProcedure";

LRESULT CALLBACK GroupBoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto previous = reinterpret_cast<WNDPROC>(::GetPropA(window, kPreviousProcedureProperty));
  switch (message) {
    case WM_ERASEBKGND:
      FillWithButtonFace(window, reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
      return AnswerButtonFaceColours(reinterpret_cast<HDC>(wParam));
    case WM_LBUTTONDOWN:
      if (const ControlRow* row = RowOf(window); row && row->onButtonDown) {
        row->onButtonDown(MouseX(lParam), MouseY(lParam), MouseKeyFlags(wParam));
      }
      break;
    case WM_NCDESTROY:
      ::RemovePropA(window, kPreviousProcedureProperty);
      break;
    default:
      break;
  }
  return previous ? ::CallWindowProcA(previous, window, message, wParam, lParam)
                  : ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void TakeOverGroupBox(HWND groupBox) {
  const LONG_PTR previous = ::GetWindowLongPtrA(groupBox, GWLP_WNDPROC);
  ::SetPropA(groupBox, kPreviousProcedureProperty, reinterpret_cast<HANDLE>(previous));
  ::SetWindowLongPtrA(groupBox, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GroupBoxProcedure));
}

}  // namespace qsh

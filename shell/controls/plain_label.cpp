// The label that receives relayed hotkey presses and turns each into its
// feedback event. It lies above the client area and is never seen.
#include "platform/gdi_objects.h"
#include "shell/controls/control_classes.h"
#include "shell/controls/paint_scope.h"
#include "shell/hotkey_dispatch.h"

namespace qsh {

LRESULT CALLBACK LabelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      KeepRowFromCreate(window, lParam);
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      const PaintScope paint(window);
      FillWithButtonFace(window, paint.dc());
      return 0;
    }
    case kHotkeyRelayMessage:
      if (const ControlRow* row = RowOf(window); row && row->onFeedback) {
        row->onFeedback(static_cast<std::int32_t>(wParam), static_cast<std::int32_t>(lParam));
      }
      return 0;
    default:
      break;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace qsh

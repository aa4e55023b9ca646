#include "shell/controls/picture_box.h"

#include "platform/gdi_objects.h"
#include "shell/controls/control_classes.h"
#include "shell/controls/paint_scope.h"

namespace qsh {
namespace {

HBITMAP picture = nullptr;

void PaintPicture(HWND window, HDC dc) {
  FillWithButtonFace(window, dc);  // wherever the picture does not reach
  if (!picture) return;
  BITMAP size{};
  if (!::GetObjectA(picture, sizeof size, &size)) return;
  const UniqueMemoryDc source(::CreateCompatibleDC(dc));
  if (!source) return;
  const ScopedSelection selection(source.get(), picture);
  if (!selection.selected()) return;
  ::BitBlt(dc, 0, 0, size.bmWidth, size.bmHeight, source.get(), 0, 0, SRCCOPY);
}

}  // namespace

void SetPictureBoxPicture(HBITMAP newPicture) { picture = newPicture; }

LRESULT CALLBACK PictureBoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      KeepRowFromCreate(window, lParam);
      break;
    case WM_ERASEBKGND:
      return 1;  // the paint covers everything
    case WM_PAINT: {
      const PaintScope paint(window);
      PaintPicture(window, paint.dc());
      return 0;
    }
    case WM_CTLCOLOREDIT: {  // the hidden edit box: black on white
      const HDC dc = reinterpret_cast<HDC>(wParam);
      ::SetTextColor(dc, RGB(0, 0, 0));
      ::SetBkColor(dc, RGB(255, 255, 255));
      return reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
    }
    case WM_COMMAND:  // the edit box's notifications go to the main window
      return ::SendMessageA(::GetParent(window), message, wParam, lParam);
    default:
      break;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace qsh

#include "shell/controls/transparent_label.h"

#include <string>

#include "platform/gdi_objects.h"
#include "shell/controls/control_classes.h"
#include "shell/controls/paint_scope.h"

namespace qsh {
namespace {

HCURSOR handPointer = nullptr;

// Made for each paint and deleted after it; nullptr when the system cannot
// make it, and the label then draws with the default font.
UniqueFont MakeBoldFont() {
  LOGFONTA font{};
  font.lfHeight = -15;
  font.lfWeight = FW_BOLD;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = PROOF_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH;
  return UniqueFont(::CreateFontIndirectA(&font));
}

}  // namespace

void SetHandPointer(HCURSOR hand) { handPointer = hand; }

UINT LabelTextFormat(HorizontalAlign align, LineMode lineMode) {
  UINT format = DT_NOCLIP;
  if (align == HorizontalAlign::Centre) format |= DT_CENTER;
  // DT_VCENTER does nothing without DT_SINGLELINE: wrapped text starts at the top.
  format |= lineMode == LineMode::WordWrap ? (DT_WORDBREAK | DT_VCENTER)
                                           : (DT_SINGLELINE | DT_VCENTER);
  return format;
}

void PaintTransparentLabel(HDC dc, const RECT& area, std::string_view text,
                           const ControlRow& look) {
  if (text.empty()) return;
  const UniqueFont bold = look.font == FontChoice::Bold ? MakeBoldFont() : UniqueFont();
  const HGDIOBJ font = bold ? static_cast<HGDIOBJ>(bold.get()) : ::GetStockObject(DEFAULT_GUI_FONT);
  const ScopedSelection selection(dc, font);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, look.textColour);
  RECT target = area;
  ::DrawTextA(dc, text.data(), static_cast<int>(text.size()), &target,
              LabelTextFormat(look.align, look.lineMode));
}

LRESULT CALLBACK TransparentLabelProcedure(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      KeepRowFromCreate(window, lParam);
      break;
    case WM_ERASEBKGND:
      return 1;  // whatever the container painted shows through
    case WM_PAINT: {
      const PaintScope paint(window);
      if (const ControlRow* row = RowOf(window)) {
        RECT client{};
        ::GetClientRect(window, &client);
        PaintTransparentLabel(paint.dc(), client, WindowText(window), *row);
      }
      return 0;
    }
    case WM_SETCURSOR:
      if (const ControlRow* row = RowOf(window);
          row && row->pointer == PointerShape::Hand && handPointer) {
        ::SetCursor(handPointer);
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
      if (const ControlRow* row = RowOf(window); row && row->onButtonDown) {
        row->onButtonDown(MouseX(lParam), MouseY(lParam), MouseKeyFlags(wParam));
      }
      return 0;
    default:
      break;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace qsh

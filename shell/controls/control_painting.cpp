#include "shell/controls/control_painting.h"

#include <string>

#include "platform/gdi_objects.h"
#include "platform/glyph_fallback.h"
#include "platform/text_boundary.h"
#include "shell/controls/control_classes.h"

namespace qsh {
namespace {

// Made for each paint and deleted after it; nullptr when the system cannot
// make it, and the label then draws with the default font.
UniqueFont MakeBoldFont() {
  LOGFONTW font{};
  font.lfHeight = -15;
  font.lfWeight = FW_BOLD;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = PROOF_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH;
  return UniqueFont(::CreateFontIndirectW(&font));
}

}  // namespace

UINT LabelTextFormat(HorizontalAlign align, LineMode lineMode) {
  UINT format = DT_NOCLIP;
  if (align == HorizontalAlign::Centre) format |= DT_CENTER;
  // DT_VCENTER does nothing without DT_SINGLELINE: wrapped text starts at the top.
  format |= lineMode == LineMode::WordWrap ? (DT_WORDBREAK | DT_VCENTER)
                                           : (DT_SINGLELINE | DT_VCENTER);
  return format;
}

void PaintTransparentLabel(HDC dc, const RECT& area, const ControlRow& row) {
  if (row.text.empty()) return;
  const UniqueFont bold = row.font == FontChoice::Bold ? MakeBoldFont() : UniqueFont();
  const HGDIOBJ font = bold ? static_cast<HGDIOBJ>(bold.get()) : ::GetStockObject(DEFAULT_GUI_FONT);
  const std::wstring text = WideFromText(row.text);
  const UniqueFont fallback = ChineseFallbackFor(font, text);
  const ScopedSelection selection(dc, fallback ? static_cast<HGDIOBJ>(fallback.get()) : font);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, row.textColour);
  RECT target = area;
  ::DrawTextW(dc, text.data(), static_cast<int>(text.size()), &target,
              LabelTextFormat(row.align, row.lineMode));
}

void PaintPictureBox(HDC dc, const RECT& area, const ControlRow&, HBITMAP picture) {
  FillWithButtonFace(dc, area);
  if (!picture) return;
  BITMAP size{};
  if (!::GetObjectW(picture, sizeof size, &size)) return;
  const UniqueMemoryDc source(::CreateCompatibleDC(dc));
  if (!source) return;
  const ScopedSelection selection(source.get(), picture);
  if (!selection.selected()) return;
  ::BitBlt(dc, area.left, area.top, size.bmWidth, size.bmHeight, source.get(), 0, 0, SRCCOPY);
}

void PaintLabel(HDC dc, const RECT& area, const ControlRow&) { FillWithButtonFace(dc, area); }

}  // namespace qsh

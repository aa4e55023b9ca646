// Check boxes and radio buttons: a 13-pixel box (rounded) or circle in the
// push button frame colour, filled with the normal, hot or pressed gradient,
// a tick, a bar (indeterminate) or a dot, and the caption beside it.
#include <algorithm>
#include <array>
#include <string>

#include "platform/gdi_objects.h"
#include "shell/skin/skin_canvas.h"
#include "shell/skin/skin_drawing.h"
#include "shell/skin/skin_gradient.h"
#include "shell/skin/skin_state.h"
#include "shell/skin/skin_system_values.h"

namespace qsh::skin {

namespace {

constexpr int kMarkSize = 13;
constexpr int kTextGap = 4;

// The box fill follows the pointer and the button only; the mark shows the
// check state.
int BoxFillState(std::uint32_t flags) {
  if (Has(flags, state::kPressed)) return fill::kPressed;
  if (Has(flags, state::kHot)) return fill::kHot;
  return fill::kNormal;
}

void FillBox(SkinCanvas& canvas, const Rect& box, std::uint32_t flags, const SkinPalette& palette) {
  if (Has(flags, state::kDisabled)) {
    canvas.Fill(box, palette.disabledFill);
  } else {
    FillArea(canvas.dc(), box, palette.pushButtonFills[static_cast<std::size_t>(BoxFillState(flags))]);
  }
}

void DrawTick(HDC dc, const Rect& box, Rgb colour) {
  UniquePen pen(::CreatePen(PS_SOLID, 2, ToColourValue(colour)));
  if (!pen) return;
  ScopedSelection selection(dc, pen.get());
  const std::array<POINT, 3> tick{POINT{box.left + 3, box.top + 6}, POINT{box.left + 5, box.top + 9},
                                  POINT{box.left + 10, box.top + 3}};
  ::Polyline(dc, tick.data(), static_cast<int>(tick.size()));
}

void DrawSquareMark(SkinCanvas& canvas, const Rect& box, std::uint32_t flags, Rgb frame, Rgb ink,
                    const SkinPalette& palette) {
  const Rgb background = canvas.PixelAt(Point{box.left, box.top});
  FillBox(canvas, box.Shrunk(1), flags, palette);
  canvas.Frame(box, frame);
  for (Point corner : {Point{box.left, box.top}, Point{box.right - 1, box.top}, Point{box.left, box.bottom - 1},
                       Point{box.right - 1, box.bottom - 1}}) {
    canvas.SetPixel(corner, background);
  }
  if (Has(flags, state::kChecked)) DrawTick(canvas.dc(), box, ink);
  if (Has(flags, state::kIndeterminate)) canvas.Fill(box.Shrunk(4), ink);
}

void DrawRoundMark(SkinCanvas& canvas, const Rect& box, std::uint32_t flags, Rgb frame, Rgb ink,
                   const SkinPalette& palette) {
  HDC dc = canvas.dc();
  // The fill, clipped to the circle; the clip region is in device units.
  POINT origin{};
  ::GetViewportOrgEx(dc, &origin);
  UniqueRegion circle(::CreateEllipticRgn(box.left + origin.x, box.top + origin.y, box.right + origin.x + 1,
                                          box.bottom + origin.y + 1));
  if (circle) {
    ::SelectClipRgn(dc, circle.get());
    FillBox(canvas, box, flags, palette);
    ::SelectClipRgn(dc, nullptr);
  }
  UniquePen pen(::CreatePen(PS_SOLID, 1, ToColourValue(frame)));
  if (!pen) return;
  ScopedSelection penSelection(dc, pen.get());
  ScopedSelection brushSelection(dc, ::GetStockObject(NULL_BRUSH));
  ::Ellipse(dc, box.left, box.top, box.right, box.bottom);
  if (Has(flags, state::kChecked | state::kIndeterminate)) {
    UniqueBrush dot(::CreateSolidBrush(ToColourValue(ink)));
    UniquePen dotPen(::CreatePen(PS_SOLID, 1, ToColourValue(ink)));
    if (!dot || !dotPen) return;
    ScopedSelection dotBrush(dc, dot.get());
    ScopedSelection dotOutline(dc, dotPen.get());
    const Rect inner = box.Shrunk(4);
    ::Ellipse(dc, inner.left, inner.top, inner.right, inner.bottom);
  }
}

}  // namespace

void DrawCheckBox(const DrawRequest& request) noexcept {
  SkinCanvas canvas(request.window);
  if (!canvas) return;
  canvas.UseClientCoordinates();
  HDC dc = canvas.dc();
  const SkinPalette& palette = *request.palette;
  const std::uint32_t flags = request.state;
  const std::uint32_t style = StyleOf(request.window);
  const Rect client = canvas.ClientArea();
  canvas.Fill(client, BackgroundBrush(request.colours.brush));

  const bool disabled = Has(flags, state::kDisabled);
  const std::uint32_t faceValue = ButtonFaceValue();
  const Rgb frame = disabled ? FromColourValue(DarkenFace(faceValue, kDisabledFrameDarkening))
                             : palette.pushButtonFrame;
  const bool markOnRight = (style & kBsLeftText) != 0;
  const int top = client.top + std::max(0, (client.Height() - kMarkSize) / 2);
  const int left = markOnRight ? client.right - kMarkSize : client.left;
  const Rect box{left, top, left + kMarkSize, top + kMarkSize};
  if (request.kind == SkinKind::RadioButton) {
    DrawRoundMark(canvas, box, flags, frame, frame, palette);
  } else {
    DrawSquareMark(canvas, box, flags, frame, frame, palette);
  }

  const std::wstring caption = CaptionOf(request.window);
  if (!caption.empty()) {
    ScopedSelection font(dc, FontOf(request.window));
    ::SetTextColor(dc, ToColourValue(disabled ? palette.disabledText : palette.text));
    RECT text = markOnRight ? RECT{client.left, client.top, box.left - kTextGap, client.bottom}
                            : RECT{box.right + kTextGap, client.top, client.right, client.bottom};
    ::DrawTextW(dc, caption.data(), static_cast<int>(caption.size()), &text, DT_SINGLELINE | DT_VCENTER);
    if (Has(flags, state::kFocused)) {
      RECT measured = text;
      ::DrawTextW(dc, caption.data(), static_cast<int>(caption.size()), &measured, DT_SINGLELINE | DT_CALCRECT);
      const int height = measured.bottom - measured.top;
      const int textTop = text.top + (text.bottom - text.top - height) / 2;
      RECT focus{measured.left - 1, textTop - 1, measured.right + 1, textTop + height + 1};
      ::DrawFocusRect(dc, &focus);
    }
  }
  canvas.Present();
}

}  // namespace qsh::skin

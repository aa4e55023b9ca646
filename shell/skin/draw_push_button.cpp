// A push button: background and face-coloured outline, the scheme's frame
// with rounded corners, the state's gradient as a two-pixel ring around the
// inner fill, the focus rectangle, and the caption centred in the inner area.
#include <string_view>
#include <vector>

#include "platform/gdi_objects.h"
#include "shell/skin/caption_lines.h"
#include "shell/skin/skin_canvas.h"
#include "shell/skin/skin_colours.h"
#include "shell/skin/skin_drawing.h"
#include "shell/skin/skin_gradient.h"
#include "shell/skin/skin_layout.h"
#include "shell/skin/skin_state.h"

namespace qsh::skin {

namespace {

void DrawCaption(HDC dc, HWND window, std::uint32_t flags, const SkinPalette& palette, Rect area) {
  const std::wstring caption = CaptionOf(window);
  if (caption.empty()) return;
  if (Has(flags, state::kPressed)) area = area.Moved(1, 1);
  const bool grey = Has(flags, state::kDisabled | state::kIndeterminate);
  ::SetTextColor(dc, ToColourValue(grey ? palette.disabledText : palette.text));
  ScopedSelection font(dc, FontOf(window));

  const std::vector<std::wstring_view> lines = BreakCaptionLines(
      caption, area.Width(), [dc](std::wstring_view text) { return MeasureSingleLine(dc, text).cx; });
  TEXTMETRICW metrics{};
  if (!::GetTextMetricsW(dc, &metrics)) return;
  const int lineHeight = metrics.tmHeight;
  const TextBlockPlacement placement =
      PlaceTextBlock(StyleOf(window), area, static_cast<int>(lines.size()), lineHeight);
  int top = placement.top;
  for (std::wstring_view line : lines) {
    RECT rect{area.left, top, area.right, top + lineHeight};
    ::DrawTextW(dc, line.data(), static_cast<int>(line.size()), &rect,
                DT_SINGLELINE | DT_NOCLIP | AlignFlag(placement.align));
    top += lineHeight;
  }
}

}  // namespace

void DrawPushButton(const DrawRequest& request) noexcept {
  SkinCanvas canvas(request.window);
  if (!canvas) return;
  canvas.UseClientCoordinates();
  const SkinPalette& palette = *request.palette;
  const std::uint32_t flags = request.state;
  const bool disabled = Has(flags, state::kDisabled);
  const std::uint32_t faceValue = ButtonFaceValue();
  const Rgb face = FromColourValue(faceValue);
  const Rgb frame = disabled ? FromColourValue(DarkenFace(faceValue, kDisabledFrameDarkening))
                             : palette.pushButtonFrame;
  const PushButtonRings rings = LayOutPushButton(canvas.ClientArea());

  canvas.Fill(rings.outer, BackgroundBrush(request.colours.brush));
  canvas.Frame(rings.outer, face);
  canvas.Frame(rings.frame, frame);
  if (disabled) {
    canvas.Fill(rings.fill, palette.disabledFill);
  } else {
    FillArea(canvas.dc(), rings.fill, palette.pushButtonFills[static_cast<std::size_t>(OuterFillState(flags))]);
  }
  if (HasInnerFill(flags)) {
    FillArea(canvas.dc(), rings.inner, palette.pushButtonFills[static_cast<std::size_t>(InnerFillState(flags))]);
  }

  const PushButtonCorners corners = PushButtonCornerPixels(rings);
  const Rgb ringCorner = disabled ? FromColourValue(DarkenFace(faceValue, kDisabledCornerDarkening)) : frame;
  const Rgb frameEdge = disabled ? FromColourValue(DarkenFace(faceValue, kDisabledEdgeDarkening)) : frame;
  for (Point point : corners.frameCorners) canvas.SetPixel(point, face);
  for (Point point : corners.ringCorners) canvas.SetPixel(point, ringCorner);
  for (Point point : corners.frameNeighbours) canvas.SetPixel(point, frameEdge);

  if (Has(flags, state::kFocused) && !rings.focus.Empty()) {
    const RECT focus{rings.focus.left, rings.focus.top, rings.focus.right, rings.focus.bottom};
    ::DrawFocusRect(canvas.dc(), &focus);
  }
  DrawCaption(canvas.dc(), request.window, flags, palette, rings.inner);
  canvas.Present();
}

}  // namespace qsh::skin

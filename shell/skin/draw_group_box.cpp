// A group box: the control's own 3-D frame is painted over with the
// background, a flat frame with rounded corners is drawn from the middle of
// the caption down, the frame line is broken under the caption, and the
// caption is drawn in the colour the parent gave. The rest of the window's
// present image, its children included, stays as it is.
#include <optional>
#include <string>

#include "platform/gdi_objects.h"
#include "shell/skin/skin_canvas.h"
#include "shell/skin/skin_drawing.h"
#include "shell/skin/skin_layout.h"

namespace qsh::skin {

namespace {

int HalfLineOfCurrentFont(HDC dc) {
  TEXTMETRICW metrics{};
  return ::GetTextMetricsW(dc, &metrics) ? metrics.tmHeight / 2 : 0;
}

}  // namespace

void DrawGroupBox(const DrawRequest& request) noexcept {
  SkinCanvas canvas(request.window);
  if (!canvas) return;
  canvas.CopyWindowImage();
  canvas.UseClientCoordinates();
  HDC dc = canvas.dc();
  const Rect client = canvas.ClientArea();
  const int w = client.Width();
  const int h = client.Height();
  const HBRUSH background = BackgroundBrush(request.colours.brush);

  // 1. The caption and the strip behind it.
  const std::wstring caption = CaptionOf(request.window);
  std::optional<ScopedSelection> font;
  std::optional<GroupCaptionLayout> layout;
  int m = 0;
  if (!caption.empty()) {
    font.emplace(dc, FontOf(request.window));
    const SIZE size = MeasureSingleLine(dc, caption);
    layout = LayOutGroupCaption(StyleOf(request.window), w, size.cx, size.cy);
    m = layout->middle;
    canvas.Fill(layout->strip, background);
  } else {
    m = HalfLineOfCurrentFont(dc);
  }

  // 2. Paint over the control's own frame.
  canvas.Fill(Rect{0, 0, w, caption.empty() ? 2 : m + 2}, background);
  canvas.Fill(Rect{0, 0, 2, h}, background);
  canvas.Fill(Rect{w - 2, 0, w, h}, background);
  canvas.Fill(Rect{0, h - 2, w, h}, background);

  // 3. The flat frame.
  const Rgb frame = request.palette->groupBoxFrame;
  canvas.Frame(Rect{0, m, w, h}, frame);

  // 4. Rounded corners, against the background the top-left pixel shows.
  const Rgb backgroundColour = canvas.PixelAt(Point{0, 0});
  const GroupBoxCorners corners = GroupBoxCornerPixels(w, h, m);
  for (Point point : corners.background) canvas.SetPixel(point, backgroundColour);
  for (Point point : corners.frame) canvas.SetPixel(point, frame);

  // 5. The frame line broken under the caption, and the caption.
  if (layout) {
    canvas.Fill(Rect{layout->clearFrom, m, layout->clearTo + 1, m + 1}, backgroundColour);
    ::SetTextColor(dc, request.colours.text);
    RECT text{layout->text.left, layout->text.top, layout->text.right, layout->text.bottom};
    ::DrawTextW(dc, caption.data(), static_cast<int>(caption.size()), &text,
                DT_SINGLELINE | DT_NOCLIP | AlignFlag(layout->align));
  }
  canvas.Present();
}

}  // namespace qsh::skin

// The frame of an edit box (and of a combo box or drop-down list): the
// outermost ring in the scheme's edit frame colour, the next in the window
// colour, or the button face when the box is disabled or read-only. The
// control's own content stays as it painted it.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include "shell/skin/skin_canvas.h"
#include "shell/skin/skin_drawing.h"
#include "shell/skin/skin_state.h"

namespace qsh::skin {

namespace {

bool HasBorder(HWND window) {
  const auto style = static_cast<DWORD>(::GetWindowLongW(window, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(::GetWindowLongW(window, GWL_EXSTYLE));
  return (style & WS_BORDER) != 0 || (exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE)) != 0;
}

bool ShouldDraw(const DrawRequest& request) {
  switch (request.kind) {
    case SkinKind::ComboBox:
      return true;  // draws its own sunken edge inside, without border styles
    case SkinKind::DropDownList:
      return HasBorder(request.window) && ::SendMessageW(request.window, LB_GETCOUNT, 0, 0) > 0;
    default:
      return HasBorder(request.window);
  }
}

// Which side of the edit box an up-down is joined to, if any.
struct JoinedSides {
  bool left = false;
  bool right = false;
};

JoinedSides UpDownSides(HWND edit) {
  JoinedSides sides;
  HWND parent = ::GetParent(edit);
  RECT editRect{};
  if (parent == nullptr || !::GetWindowRect(edit, &editRect)) return sides;
  for (HWND upDown = ::FindWindowExW(parent, nullptr, UPDOWN_CLASSW, nullptr); upDown != nullptr;
       upDown = ::FindWindowExW(parent, upDown, UPDOWN_CLASSW, nullptr)) {
    if (reinterpret_cast<HWND>(::SendMessageW(upDown, UDM_GETBUDDY, 0, 0)) != edit) continue;
    RECT upDownRect{};
    if (!::GetWindowRect(upDown, &upDownRect)) continue;
    const bool onRight = upDownRect.left + upDownRect.right > editRect.left + editRect.right;
    (onRight ? sides.right : sides.left) = true;
  }
  return sides;
}

}  // namespace

void DrawEditFrame(const DrawRequest& request) noexcept {
  if (!ShouldDraw(request)) return;
  SkinCanvas canvas(request.window);
  if (!canvas) return;
  canvas.CopyWindowImage();
  const Rect whole = canvas.WindowArea();
  const std::uint32_t faceValue = ButtonFaceValue();
  const bool disabled = Has(request.state, state::kDisabled);
  const bool readOnly = Has(request.state, state::kReadOnly);

  canvas.Frame(whole, disabled ? FromColourValue(DarkenFace(faceValue, kDisabledFrameDarkening))
                               : request.palette->editFrame);
  canvas.Frame(whole.Shrunk(1), disabled || readOnly ? FromColourValue(faceValue)
                                                     : FromColourValue(::GetSysColor(COLOR_WINDOW)));

  // A white line where an up-down joins on, so that the two read as one.
  const JoinedSides sides = UpDownSides(request.window);
  constexpr Rgb kWhite{255, 255, 255};
  if (sides.left) canvas.Fill(Rect{0, 1, 1, whole.bottom - 1}, kWhite);
  if (sides.right) canvas.Fill(Rect{whole.right - 1, 1, whole.right, whole.bottom - 1}, kWhite);
  canvas.Present();
}

}  // namespace qsh::skin

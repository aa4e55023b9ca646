#include "shell/skin/skin_drawing.h"

#include <array>

namespace qsh::skin {

std::wstring CaptionOf(HWND window) {
  std::array<wchar_t, 256> buffer{};
  const int length = ::GetWindowTextW(window, buffer.data(), static_cast<int>(buffer.size()));
  if (length <= 0) return std::wstring();
  return std::wstring(buffer.data(), static_cast<std::size_t>(length));
}

HFONT FontOf(HWND window) noexcept {
  return reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0));
}

std::uint32_t StyleOf(HWND window) noexcept {
  return static_cast<std::uint32_t>(::GetWindowLongW(window, GWL_STYLE));
}

std::uint32_t ButtonFaceValue() noexcept { return ::GetSysColor(COLOR_BTNFACE); }

SIZE MeasureSingleLine(HDC dc, std::wstring_view text) {
  RECT rect{0, 0, 0, 0};
  ::DrawTextW(dc, text.data(), static_cast<int>(text.size()), &rect, DT_CALCRECT | DT_SINGLELINE);
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

UINT AlignFlag(TextAlign align) noexcept {
  switch (align) {
    case TextAlign::Left: return DT_LEFT;
    case TextAlign::Right: return DT_RIGHT;
    case TextAlign::Centre: break;
  }
  return DT_CENTER;
}

}  // namespace qsh::skin

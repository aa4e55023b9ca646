#include "shell/skin/skin_drawing.h"

#include <array>

namespace qsh::skin {

std::string CaptionOf(HWND window) {
  std::array<char, 256> buffer{};
  const int length = ::GetWindowTextA(window, buffer.data(), static_cast<int>(buffer.size()));
  if (length <= 0) return std::string();
  return std::string(buffer.data(), static_cast<std::size_t>(length));
}

HFONT FontOf(HWND window) noexcept {
  return reinterpret_cast<HFONT>(::SendMessageA(window, WM_GETFONT, 0, 0));
}

std::uint32_t StyleOf(HWND window) noexcept {
  return static_cast<std::uint32_t>(::GetWindowLongA(window, GWL_STYLE));
}

std::uint32_t ButtonFaceValue() noexcept { return ::GetSysColor(COLOR_BTNFACE); }

SIZE MeasureSingleLine(HDC dc, std::string_view text) {
  RECT rect{0, 0, 0, 0};
  ::DrawTextA(dc, text.data(), static_cast<int>(text.size()), &rect, DT_CALCRECT | DT_SINGLELINE);
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

#include "platform/window_text.h"

#include <algorithm>
#include <new>

namespace qsh {

void SetWindowTextOf(HWND window, const std::string& text) {
  ::SetWindowTextA(window, text.c_str());
}

std::string WindowTextOf(HWND window) {
  const int length = ::GetWindowTextLengthA(window);  // may count more than there is
  if (length <= 0) return {};
  std::string text;
  try {
    text.assign(static_cast<std::size_t>(length) + 1, '\0');
  } catch (const std::bad_alloc&) {
    return {};
  }
  const int copied = ::GetWindowTextA(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::clamp(copied, 0, length)));
  return text;
}

}  // namespace qsh

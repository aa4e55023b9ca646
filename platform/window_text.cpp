#include "platform/window_text.h"

#include <algorithm>
#include <new>

namespace qsh {
namespace {

bool IsMultiLineEditBox(HWND window) {
  char className[8]{};
  return ::GetClassNameA(window, className, sizeof className) > 0 &&
         ::lstrcmpiA(className, "Edit") == 0 &&
         (::GetWindowLongA(window, GWL_STYLE) & ES_MULTILINE) != 0;
}

// A multi-line edit box does not notify its parent when its text is set (on
// Windows as under Wine): its content-changed event is raised here, once
// per set. Single-line ones send it themselves.
void RaiseContentChanged(HWND window) {
  if (!IsMultiLineEditBox(window)) return;
  ::SendMessageA(::GetParent(window), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(window), EN_CHANGE),
                 reinterpret_cast<LPARAM>(window));
}

}  // namespace

void SetWindowTextOf(HWND window, const std::string& text) {
  ::SetWindowTextA(window, text.c_str());
  RaiseContentChanged(window);
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

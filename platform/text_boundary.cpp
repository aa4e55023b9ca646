#include "platform/text_boundary.h"

#include <algorithm>
#include <climits>
#include <iterator>
#include <new>

namespace qsh {

std::wstring WideFromText(std::string_view text) noexcept {
  if (text.empty() || text.size() > INT_MAX) return {};
  const int length = static_cast<int>(text.size());
  const int needed = ::MultiByteToWideChar(kTextCodePage, 0, text.data(), length, nullptr, 0);
  if (needed <= 0) return {};
  try {
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    const int made = ::MultiByteToWideChar(kTextCodePage, 0, text.data(), length, wide.data(), needed);
    wide.resize(static_cast<std::size_t>(std::clamp(made, 0, needed)));
    return wide;
  } catch (const std::bad_alloc&) {
    return {};
  }
}

std::string TextFromWide(std::wstring_view wide) noexcept {
  if (wide.empty() || wide.size() > INT_MAX) return {};
  const int length = static_cast<int>(wide.size());
  const int needed =
      ::WideCharToMultiByte(kTextCodePage, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return {};
  try {
    std::string text(static_cast<std::size_t>(needed), '\0');
    const int made = ::WideCharToMultiByte(kTextCodePage, 0, wide.data(), length, text.data(),
                                           needed, nullptr, nullptr);
    text.resize(static_cast<std::size_t>(std::clamp(made, 0, needed)));
    return text;
  } catch (const std::bad_alloc&) {
    return {};
  }
}

std::wstring WindowTextWide(HWND window) noexcept {
  const int length = ::GetWindowTextLengthW(window);  // may count more than there is
  if (length <= 0 || length == INT_MAX) return {};
  try {
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::clamp(copied, 0, length)));
    return text;
  } catch (const std::bad_alloc&) {
    return {};
  }
}

namespace {

bool IsMultiLineEditBox(HWND window) {
  wchar_t className[8]{};
  return ::GetClassNameW(window, className, static_cast<int>(std::size(className))) > 0 &&
         ::lstrcmpiW(className, L"Edit") == 0 &&
         (::GetWindowLongW(window, GWL_STYLE) & ES_MULTILINE) != 0;
}

// A multi-line edit box does not notify its parent when its text is set (on
// Windows as under Wine): its content-changed event is raised here, once
// per set. Single-line ones send it themselves.
void RaiseContentChanged(HWND window) {
  if (!IsMultiLineEditBox(window)) return;
  ::SendMessageW(::GetParent(window), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(window), EN_CHANGE),
                 reinterpret_cast<LPARAM>(window));
}

}  // namespace

void SetWindowTextOf(HWND window, const std::string& text) noexcept {
  ::SetWindowTextW(window, WideFromText(text).c_str());
  RaiseContentChanged(window);
}

std::string WindowTextOf(HWND window) noexcept { return TextFromWide(WindowTextWide(window)); }

}  // namespace qsh

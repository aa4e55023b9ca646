#include "web/win32/open_in_browser.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/text_boundary.h"

namespace qsh {

void OpenInBrowser(const std::string& url) {
  const HWND owner = ::FindWindowExW(nullptr, nullptr, nullptr, L"Microsoft Internet Explorer");
  // The shell reports failures through its own windows; the program says nothing.
  ::ShellExecuteW(owner, L"open", WideFromText(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace qsh

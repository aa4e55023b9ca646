#include "web/win32/open_in_browser.h"

#include <windows.h>
#include <shellapi.h>

namespace qsh {

void OpenInBrowser(const std::string& url) {
  const HWND owner = ::FindWindowExA(nullptr, nullptr, nullptr, "Microsoft Internet Explorer");
  // The shell reports failures through its own windows; the program says nothing.
  ::ShellExecuteA(owner, "open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace qsh

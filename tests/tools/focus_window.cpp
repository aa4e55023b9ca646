// focus_window.exe LOG [--at X Y W H] [--ready-file F] [--stop-file S]
// A plain top-level window titled "Focus Target" that takes the focus and
// appends every key-down it receives to LOG, one line each:
// "WM_KEYDOWN <vk>" or "WM_SYSKEYDOWN <vk>" (F10 arrives as a system key;
// neither F10 nor Alt starts menu mode here). Tests use it as the other
// application that has the focus, to see which keys reach it. The ready
// file gets "1" once the window is shown and active. The program ends when
// the window is closed, when the stop file appears, or when it is killed.

#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "tests/tools/command_line.h"
#include "tests/tools/signal_files.h"

namespace {

constexpr wchar_t kClassName[] = L"QshFocusTarget";
constexpr wchar_t kTitle[] = L"Focus Target";

struct Options {
  std::wstring logFile;
  qsh::tools::SignalFiles signals;
  std::array<int, 4> place{40, 40, 320, 200};
};

Options g_options;

bool ParseOptions(const std::vector<std::wstring>& arguments, Options& options) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::wstring& argument = arguments[i];
    if (qsh::tools::TakeSignalFileOption(arguments, i, options.signals)) continue;
    if (argument == L"--at" && i + 4 < arguments.size()) {
      for (int& value : options.place) {
        const auto number = qsh::tools::ParseInteger(arguments[++i]);
        if (!number || *number < -30000 || *number > 30000) return false;
        value = static_cast<int>(*number);
      }
    } else if (options.logFile.empty()) {
      options.logFile = argument;
    } else {
      return false;
    }
  }
  return !options.logFile.empty();
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
      qsh::tools::AppendLine(g_options.logFile, "WM_KEYDOWN " + std::to_string(wParam));
      return 0;
    case WM_SYSKEYDOWN:
      qsh::tools::AppendLine(g_options.logFile, "WM_SYSKEYDOWN " + std::to_string(wParam));
      // F10 would open the (absent) menu and swallow the keys after it;
      // every other system key goes on, so that Alt+F4 still closes.
      if (wParam == VK_F10) return 0;
      break;
    case WM_SYSKEYUP:
      if (wParam == VK_F10) return 0;
      break;
    case WM_SYSCOMMAND:
      // No menu mode at all: Alt released after Alt+F10 (whose F10 this
      // window kept from the default handling) would otherwise open it.
      if ((wParam & 0xFFF0) == SC_KEYMENU) return 0;
      break;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int main() {
  if (!ParseOptions(qsh::tools::CommandArguments(), g_options)) return 2;
  // The log exists, empty, before the first key can arrive.
  if (!qsh::tools::WriteWholeFile(g_options.logFile, "")) return 1;

  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = WindowProcedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kClassName;
  if (::RegisterClassExW(&windowClass) == 0) return 1;

  const auto& place = g_options.place;
  HWND window = ::CreateWindowExW(0, kClassName, kTitle, WS_OVERLAPPEDWINDOW, place[0], place[1],
                                  place[2], place[3], nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  ::ShowWindow(window, SW_SHOW);
  ::UpdateWindow(window);
  ::SetForegroundWindow(window);
  ::SetFocus(window);
  if (!g_options.signals.readyFile.empty()) {
    qsh::tools::WriteReadyFile(g_options.signals.readyFile, ::GetForegroundWindow() == window);
  }

  const int exitCode = qsh::tools::RunMessageLoopUntilStopped(g_options.signals.stopFile);
  if (::IsWindow(window)) ::DestroyWindow(window);
  return exitCode;
}

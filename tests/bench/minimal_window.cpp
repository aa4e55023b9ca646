// The start-up baseline: the least a Win32 program does to put a window on
// the screen (register a class, create, show, run the message loop), with
// OLE initialised around it as the program must, so that the start-up
// ratio shows the program's own cost. Built by scripts/bench with the same
// cross compiler as the program.
#include <windows.h>
#include <ole2.h>

namespace {

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  if (FAILED(::OleInitialize(nullptr))) return 1;
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProcedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = "QshBenchMinimalWindow";
  if (::RegisterClassA(&windowClass) == 0) return 1;
  const HWND window = ::CreateWindowExA(0, windowClass.lpszClassName, "QshBenchMinimalWindow",
                                        WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 400,
                                        300, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  ::ShowWindow(window, showCommand);
  ::UpdateWindow(window);
  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  ::OleUninitialize();
  return 0;
}

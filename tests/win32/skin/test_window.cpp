#include "tests/win32/skin/test_window.h"

#include <cstdlib>

#include "platform/gdi_objects.h"
#include "shell/skin/control_skin_testing.h"

namespace qsh::skin::testing {

namespace {

constexpr const char* kHostClass = "QshSkinTestHost";
constexpr const char* kPlainClass = "QshSkinTestPlain";

LRESULT CALLBACK HostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC: {
      auto dc = reinterpret_cast<HDC>(wParam);
      ::SetTextColor(dc, RGB(0, 0, 0));
      ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_PARENTNOTIFY:
      if (LOWORD(wParam) == WM_CREATE) {
        auto child = reinterpret_cast<HWND>(lParam);
        CreationNotices().push_back(CreationNotice{child, IsSkinned(child)});
      }
      return 0;
    default:
      return ::DefWindowProcA(window, message, wParam, lParam);
  }
}

void RegisterClasses() {
  static const bool registered = [] {
    WNDCLASSA host{};
    host.lpfnWndProc = HostProcedure;
    host.hInstance = ::GetModuleHandleA(nullptr);
    host.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    host.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    host.lpszClassName = kHostClass;
    WNDCLASSA plain = host;
    plain.lpfnWndProc = ::DefWindowProcA;
    plain.lpszClassName = kPlainClass;
    return ::RegisterClassA(&host) != 0 && ::RegisterClassA(&plain) != 0;
  }();
  (void)registered;
}

}  // namespace

std::vector<CreationNotice>& CreationNotices() {
  static std::vector<CreationNotice> notices;
  return notices;
}

OwnedWindow CreateHostWindow(int x, int y, int width, int height, bool visible, bool clipChildren) {
  RegisterClasses();
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | (visible ? WS_VISIBLE : 0) |
                      (clipChildren ? WS_CLIPCHILDREN : 0);
  HWND window = ::CreateWindowExA(0, kHostClass, "skin test", style, x, y, width, height, nullptr, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
  if (window != nullptr && visible) {
    ::SetForegroundWindow(window);
    ::UpdateWindow(window);
  }
  return OwnedWindow(window);
}

HWND CreateControl(HWND parent, const char* className, const char* text, DWORD style, DWORD exStyle, int x,
                   int y, int width, int height) {
  HWND control = ::CreateWindowExA(exStyle, className, text, style, x, y, width, height, parent, nullptr,
                                   ::GetModuleHandleA(nullptr), nullptr);
  if (control != nullptr) {
    ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), TRUE);
  }
  return control;
}

NestedControls CreateNestedControls(bool visible) {
  RegisterClasses();
  NestedControls nest;
  nest.host = CreateHostWindow(0, 0, 602, 484, visible, true);
  HWND host = nest.host.get();
  if (host == nullptr) return nest;
  const DWORD shown = visible ? WS_VISIBLE : 0;
  const DWORD groupStyle = WS_CHILD | WS_CLIPSIBLINGS | BS_GROUPBOX | BS_LEFT | shown;
  nest.groupBox1 = CreateControl(host, "BUTTON", "一", groupStyle, 0, 8, 208, 180, 232);
  nest.groupBox2 = CreateControl(host, "BUTTON", "二", groupStyle, 0, 196, 208, 180, 232);
  nest.groupBox3 = CreateControl(host, "BUTTON", "三", groupStyle, 0, 384, 208, 180, 232);
  nest.plainChild = ::CreateWindowExA(0, kPlainClass, "", WS_CHILD | WS_CLIPSIBLINGS | shown, 0, 0, 600, 200,
                                      host, nullptr, ::GetModuleHandleA(nullptr), nullptr);
  nest.hiddenEdit = CreateControl(nest.plainChild, "EDIT", "",
                                  WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL |
                                      ES_WANTRETURN,
                                  WS_EX_CLIENTEDGE, 48, 16, 448, 160);
  return nest;
}

void PumpMessages() {
  MSG message{};
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
  for (;;) {
    PumpMessages();
    if (done()) return true;
    if (::GetTickCount64() >= deadline) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

namespace {

BOOL CALLBACK AnyUpdatePending(HWND window, LPARAM pending) {
  if (::GetUpdateRect(window, nullptr, FALSE)) *reinterpret_cast<bool*>(pending) = true;
  return TRUE;
}

}  // namespace

bool PumpUntilPainted(HWND window, DWORD timeoutMs) {
  return PumpUntil(
      [window] {
        bool pending = ::GetUpdateRect(window, nullptr, FALSE) != FALSE;
        ::EnumChildWindows(window, AnyUpdatePending, reinterpret_cast<LPARAM>(&pending));
        return !pending;
      },
      timeoutMs);
}

void HoldForScreenshot() {
  const char* hold = std::getenv("QSH_SKIN_HOLD_MS");
  if (hold == nullptr) return;
  const long ms = std::strtol(hold, nullptr, 10);
  if (ms <= 0) return;
  PumpUntil([] { return false; }, static_cast<DWORD>(ms));
}

SIZE MeasureWithGuiFont(const std::string& text) {
  WindowDc screen(nullptr, WindowDc::Area::Client);
  ScopedSelection font(screen.get(), ::GetStockObject(DEFAULT_GUI_FONT));
  RECT rect{0, 0, 0, 0};
  ::DrawTextA(screen.get(), text.data(), static_cast<int>(text.size()), &rect, DT_CALCRECT | DT_SINGLELINE);
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace qsh::skin::testing

#include "shell/controls/control_classes.h"

namespace qsh {
namespace {

bool RegisterOnce(HINSTANCE instance, const char* name, WNDPROC procedure) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (::GetClassInfoExA(instance, name, &existing)) return true;
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = nullptr;  // each window paints its own background
  windowClass.lpszClassName = name;
  return ::RegisterClassExA(&windowClass) != 0;
}

}  // namespace

bool RegisterWindowClasses(HINSTANCE instance, WNDPROC mainWindowProcedure) {
  return RegisterOnce(instance, kMainWindowClass, mainWindowProcedure) &&
         RegisterOnce(instance, kTransparentLabelClass, TransparentLabelProcedure) &&
         RegisterOnce(instance, kPictureBoxClass, PictureBoxProcedure) &&
         RegisterOnce(instance, kLabelClass, LabelProcedure);
}

const ControlRow* RowOf(HWND control) {
  return reinterpret_cast<const ControlRow*>(::GetWindowLongPtrA(control, GWLP_USERDATA));
}

void KeepRow(HWND control, const ControlRow* row) {
  ::SetWindowLongPtrA(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(row));
}

void KeepRowFromCreate(HWND control, LPARAM createStruct) {
  KeepRow(control, static_cast<const ControlRow*>(
                        reinterpret_cast<const CREATESTRUCTA*>(createStruct)->lpCreateParams));
}

std::int32_t MouseKeyFlags(WPARAM wParam) {
  std::int32_t flags = 0;
  if (wParam & MK_CONTROL) flags += 1;
  if (wParam & MK_SHIFT) flags += 2;
  if (::GetKeyState(VK_MENU) < 0) flags += 4;
  return flags;
}

std::string WindowText(HWND window) {
  const int length = ::GetWindowTextLengthA(window);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = ::GetWindowTextA(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

void FillWithButtonFace(HWND window, HDC dc) {
  RECT client{};
  ::GetClientRect(window, &client);
  ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT AnswerButtonFaceColours(HDC dc) {
  ::SetTextColor(dc, RGB(0, 0, 0));
  ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
}

}  // namespace qsh

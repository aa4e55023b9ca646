#include "shell/controls/control_classes.h"

#include <optional>

#include "platform/subclass.h"
#include "shell/controls/control_painting.h"
#include "shell/controls/paint_scope.h"
#include "shell/hotkey_dispatch.h"

namespace qsh {
namespace {

// The system's cursor names (IDC_ARROW, IDC_HAND) are numbers in a pointer
// of the ANSI type; LoadCursorW takes the same number.
LPCWSTR SystemCursorName(LPCSTR name) {
  return MAKEINTRESOURCEW(LOWORD(reinterpret_cast<ULONG_PTR>(name)));
}

bool RegisterOnce(HINSTANCE instance, const wchar_t* name, WNDPROC procedure) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (::GetClassInfoExW(instance, name, &existing)) return true;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, SystemCursorName(IDC_ARROW));
  windowClass.hbrBackground = nullptr;  // each window paints its own background
  windowClass.lpszClassName = name;
  return ::RegisterClassExW(&windowClass) != 0;
}

// The row of a container's child, found by the child's id.
const ControlRow* ChildRow(const ControlRow& container, HWND child) {
  const int id = ::GetDlgCtrlID(child);
  for (const ControlRow& row : kMainWindowControls)
    if (row.id == id && row.container == container.name) return &row;
  return nullptr;
}

ControlWindow* ControlOf(HWND window) {
  return reinterpret_cast<ControlWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
}

void Keep(HWND window, ControlWindow* control) {
  ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
}

// What the row asks for when the control is made: its picture and pointer.
void LoadRowResources(ControlWindow& control, HINSTANCE instance) {
  const ControlRow& row = *control.row;
  if (row.picture != 0) {
    control.picture.reset(static_cast<HBITMAP>(::LoadImageW(
        instance, MAKEINTRESOURCEW(row.picture), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  }
  if (row.pointer == PointerShape::Hand) {
    const HCURSOR hand = ::LoadCursorW(instance, MAKEINTRESOURCEW(IDC_HAND_POINTER));
    control.pointer = hand ? hand : ::LoadCursorW(nullptr, SystemCursorName(IDC_HAND));
  }
}

RECT ClientArea(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  return client;
}

// The standard controls paint themselves; the own classes paint by kind.
bool IsStandardKind(ControlKind kind) {
  return kind == ControlKind::GroupBox || kind == ControlKind::EditBox;
}

void Paint(HWND window, const ControlWindow& control) {
  const PaintScope paint(window);
  const RECT client = ClientArea(window);
  const ControlRow& row = *control.row;
  switch (row.kind) {
    case ControlKind::TransparentLabel: PaintTransparentLabel(paint.dc(), client, row); break;
    case ControlKind::PictureBox:
      PaintPictureBox(paint.dc(), client, row, control.picture.get());
      break;
    case ControlKind::Label: PaintLabel(paint.dc(), client, row); break;
    case ControlKind::GroupBox:
    case ControlKind::EditBox: break;  // standard controls paint themselves
  }
}

// The hidden edit box inside the picture box: black on white.
LRESULT AnswerEditColours(HDC dc) {
  ::SetTextColor(dc, RGB(0, 0, 0));
  ::SetBkColor(dc, RGB(255, 255, 255));
  return reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
}

// The answer to a message that the row decides; nothing for those that go
// on to the replaced procedure or the default handling.
std::optional<LRESULT> HandleByRow(HWND window, const ControlWindow& control, UINT message,
                                   WPARAM wParam, LPARAM lParam) {
  const ControlRow& row = *control.row;
  switch (message) {
    case WM_ERASEBKGND:
      // A group box fills its face; the own controls paint everything or,
      // the transparent labels, let the container show through.
      if (row.kind == ControlKind::GroupBox)
        FillWithButtonFace(reinterpret_cast<HDC>(wParam), ClientArea(window));
      return 1;
    case WM_PAINT:
      if (IsStandardKind(row.kind)) return std::nullopt;
      Paint(window, control);
      return 0;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
      if (row.kind != ControlKind::GroupBox) return std::nullopt;
      return AnswerButtonFaceColours(reinterpret_cast<HDC>(wParam));
    case WM_CTLCOLOREDIT:
      if (row.kind != ControlKind::PictureBox) return std::nullopt;
      return AnswerEditColours(reinterpret_cast<HDC>(wParam));
    case WM_COMMAND:  // from 编辑框1, the picture box's one child: its content-changed event
      if (row.kind != ControlKind::PictureBox) return std::nullopt;
      if (HIWORD(wParam) == EN_CHANGE) {
        const ControlRow* child = ChildRow(row, reinterpret_cast<HWND>(lParam));
        if (child != nullptr && child->onContentChanged) child->onContentChanged();
      }
      return 0;
    case WM_SETCURSOR:
      if (control.pointer == nullptr) return std::nullopt;
      ::SetCursor(control.pointer);
      return TRUE;
    case WM_LBUTTONDOWN:
      if (row.onButtonDown) {
        row.onButtonDown(static_cast<std::int16_t>(LOWORD(lParam)),
                         static_cast<std::int16_t>(HIWORD(lParam)), MouseKeyFlags(wParam));
      }
      // A group box goes on to its own handling; a transparent label ends here.
      if (row.kind != ControlKind::TransparentLabel) return std::nullopt;
      return 0;
    case kHotkeyRelayMessage:
      if (!row.onFeedback) return std::nullopt;
      row.onFeedback(static_cast<std::int32_t>(wParam), static_cast<std::int32_t>(lParam));
      return 0;
    default:
      return std::nullopt;
  }
}

}  // namespace

bool RegisterWindowClasses(HINSTANCE instance, WNDPROC mainWindowProcedure) {
  return RegisterOnce(instance, kMainWindowClass, mainWindowProcedure) &&
         RegisterOnce(instance, kTransparentLabelClass, ControlProcedure) &&
         RegisterOnce(instance, kPictureBoxClass, ControlProcedure) &&
         RegisterOnce(instance, kLabelClass, ControlProcedure);
}

LRESULT CALLBACK ControlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    auto* control = static_cast<ControlWindow*>(create->lpCreateParams);
    Keep(window, control);
    if (control != nullptr && control->row != nullptr) LoadRowResources(*control, create->hInstance);
  }
  ControlWindow* control = ControlOf(window);
  const WNDPROC replaced = control != nullptr ? control->replaced : nullptr;
  if (message == WM_NCDESTROY && control != nullptr) {
    Keep(window, nullptr);
    control->picture.reset();
    control->handle = nullptr;
  } else if (control != nullptr && control->row != nullptr) {
    if (const auto answer = HandleByRow(window, *control, message, wParam, lParam)) return *answer;
  }
  return CallReplacedProcedure(replaced, window, message, wParam, lParam);
}

void TakeOverStandardControl(ControlWindow& control) {
  Keep(control.handle, &control);
  control.replaced = ReplaceWindowProcedure(control.handle, ControlProcedure);
  if (control.replaced == nullptr) Keep(control.handle, nullptr);  // it keeps its own handling
}

void FillWithButtonFace(HDC dc, const RECT& area) {
  ::FillRect(dc, &area, ::GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT AnswerButtonFaceColours(HDC dc) {
  ::SetTextColor(dc, RGB(0, 0, 0));
  ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
}

std::int32_t MouseKeyFlags(WPARAM wParam) {
  std::int32_t flags = 0;
  if (wParam & MK_CONTROL) flags += 1;
  if (wParam & MK_SHIFT) flags += 2;
  if (::GetKeyState(VK_MENU) < 0) flags += 4;
  return flags;
}

}  // namespace qsh

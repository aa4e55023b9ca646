#include "shell/main_window.h"

#include <array>
#include <cstddef>

#include "assets/resource_ids.h"
#include "platform/gdi_objects.h"
#include "platform/user_handles.h"
#include "shell/controls/control_classes.h"
#include "shell/controls/picture_box.h"
#include "shell/controls/transparent_label.h"
#include "shell/event_handlers.h"
#include "shell/window_description.h"

namespace qsh {
namespace {

struct MainWindowState {
  HWND window = nullptr;
  std::array<HWND, 14> controls{};  // in the order of MainWindowControls()
  UniqueIcon bigIcon, smallIcon;
  UniqueBitmap banner;
};
MainWindowState state;

LRESULT CALLBACK MainWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:  // the class has no brush: the window paints its own face
      FillWithButtonFace(window, reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
      return AnswerButtonFaceColours(reinterpret_cast<HDC>(wParam));
    case WM_DESTROY:
      ::PostQuitMessage(0);  // the last window of the program is gone
      return 0;
    default:
      return ::DefWindowProcA(window, message, wParam, lParam);
  }
}

std::size_t IndexOf(std::string_view name) {
  const auto controls = MainWindowControls();
  for (std::size_t i = 0; i < controls.size(); ++i)
    if (controls[i].name == name) return i;
  return controls.size();
}

struct WindowKind {
  const char* className;
  DWORD style;
  DWORD extendedStyle;
};

WindowKind KindOf(ControlKind kind) {
  constexpr DWORD child = WS_CHILD | WS_CLIPSIBLINGS;
  switch (kind) {
    case ControlKind::GroupBox: return {"BUTTON", child | BS_GROUPBOX | BS_LEFT, 0};
    case ControlKind::TransparentLabel: return {kTransparentLabelClass, child, WS_EX_TRANSPARENT};
    case ControlKind::PictureBox: return {kPictureBoxClass, child, 0};
    case ControlKind::Label: return {kLabelClass, child, 0};
    case ControlKind::EditBox:
      return {"EDIT",
              child | WS_TABSTOP | ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
              WS_EX_CLIENTEDGE};
  }
  return {kLabelClass, child, 0};
}

POINT CentredOnPrimaryScreen(int width, int height) {
  return {(::GetSystemMetrics(SM_CXSCREEN) - width) / 2,
          (::GetSystemMetrics(SM_CYSCREEN) - height) / 2};
}

bool CreateControls(HINSTANCE instance) {
  const auto controls = MainWindowControls();
  const HGDIOBJ defaultFont = ::GetStockObject(DEFAULT_GUI_FONT);
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const ControlRow& row = controls[i];
    const WindowKind kind = KindOf(row.kind);
    HWND control = ::CreateWindowExA(
        kind.extendedStyle, kind.className, std::string(row.text).c_str(), kind.style,
        row.place.left, row.place.top, row.place.width, row.place.height, state.window,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), instance,
        const_cast<ControlRow*>(&row));
    if (!control) return false;
    state.controls[i] = control;
    if (row.kind == ControlKind::GroupBox || row.kind == ControlKind::EditBox) {
      KeepRow(control, &row);
      ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(defaultFont), FALSE);
    }
    if (row.kind == ControlKind::GroupBox) TakeOverGroupBox(control);
    if (row.kind == ControlKind::EditBox) {
      ::SendMessageA(control, EM_LIMITTEXT, 0, 0);  // no limit
      ::SendMessageA(control, EM_SETSEL, 0, 0);
      ::SendMessageA(control, EM_SCROLLCARET, 0, 0);
    }
  }
  return true;
}

// Children of a group box or the picture box move into it; their places
// then count from the container's client area.
void ParentControls() {
  const auto controls = MainWindowControls();
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (controls[i].container.empty()) continue;
    ::SetParent(state.controls[i], ControlHandle(controls[i].container));
  }
}

// Within each container the table order is the stacking order, top first.
void StackControls() {
  const auto controls = MainWindowControls();
  for (std::size_t i = 0; i < controls.size(); ++i) {
    HWND above = HWND_TOP;
    for (std::size_t j = i; j-- > 0;) {
      if (controls[j].container == controls[i].container) {
        above = state.controls[j];
        break;
      }
    }
    ::SetWindowPos(state.controls[i], above, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void ShowVisibleControls() {
  const auto controls = MainWindowControls();
  for (std::size_t i = 0; i < controls.size(); ++i)
    if (controls[i].visible) ::ShowWindow(state.controls[i], SW_SHOWNA);
}

void LoadWindowImages(HINSTANCE instance) {
  state.bigIcon.reset(static_cast<HICON>(
      ::LoadImageA(instance, MAKEINTRESOURCEA(IDI_APP_ICON), IMAGE_ICON,
                   ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON), 0)));
  state.smallIcon.reset(static_cast<HICON>(
      ::LoadImageA(instance, MAKEINTRESOURCEA(IDI_APP_ICON), IMAGE_ICON,
                   ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0)));
  state.banner.reset(static_cast<HBITMAP>(
      ::LoadImageA(instance, MAKEINTRESOURCEA(IDB_BANNER), IMAGE_BITMAP, 0, 0,
                   LR_CREATEDIBSECTION)));
  SetPictureBoxPicture(state.banner.get());
}

void LoadHandPointer(HINSTANCE instance) {
  HCURSOR hand = ::LoadCursorA(instance, MAKEINTRESOURCEA(IDC_HAND_POINTER));
  SetHandPointer(hand ? hand : ::LoadCursorA(nullptr, IDC_HAND));
}

}  // namespace

bool CreateMainWindow(HINSTANCE instance) {
  if (!RegisterWindowClasses(instance, MainWindowProcedure)) return false;
  const MainWindowFrame& row = MainWindowDescription();
  const POINT origin = CentredOnPrimaryScreen(row.outerWidth, row.outerHeight);
  state.window = ::CreateWindowExA(0, kMainWindowClass, std::string(row.caption).c_str(),
                                   row.style, origin.x, origin.y, row.outerWidth,
                                   row.outerHeight, nullptr, nullptr, instance, nullptr);
  if (!state.window) return false;

  RECT made{};
  ::GetWindowRect(state.window, &made);
  if (made.right - made.left != row.outerWidth || made.bottom - made.top != row.outerHeight)
    ::MoveWindow(state.window, origin.x, origin.y, row.outerWidth, row.outerHeight, FALSE);

  LoadWindowImages(instance);
  ::SendMessageA(state.window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(state.bigIcon.get()));
  ::SendMessageA(state.window, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(state.smallIcon.get()));
  ::SendMessageA(state.window, WM_SETFONT,
                 reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);

  if (!CreateControls(instance)) {
    ::DestroyWindow(state.window);
    state.window = nullptr;
    return false;
  }
  ParentControls();
  StackControls();
  LoadHandPointer(instance);
  ShowVisibleControls();
  OnMainWindowCreated();
  return true;
}

HWND MainWindowHandle() { return state.window; }

HWND ControlHandle(std::string_view name) {
  const std::size_t index = IndexOf(name);
  return index < state.controls.size() ? state.controls[index] : nullptr;
}

void ReleaseMainWindowResources() {
  SetPictureBoxPicture(nullptr);
  state.banner.reset();
  state.bigIcon.reset();
  state.smallIcon.reset();
}

}  // namespace qsh

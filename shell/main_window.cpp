#include "shell/main_window.h"

#include <string>

#include "assets/resource_ids.h"
#include "platform/glyph_fallback.h"
#include "platform/subclass.h"
#include "platform/text_boundary.h"
#include "shell/program_end.h"

namespace qsh {
namespace {

// The window's MainWindow, kept as a property: GWLP_USERDATA is the hotkey
// relay's.
constexpr const wchar_t* kOwnerProperty = L"QelvarinMainWindow";

struct WindowKind {
  const wchar_t* className;
  DWORD style;
  DWORD extendedStyle;
};

WindowKind WindowKindOf(ControlKind kind) {
  constexpr DWORD child = WS_CHILD | WS_CLIPSIBLINGS;
  switch (kind) {
    case ControlKind::GroupBox: return {L"BUTTON", child | BS_GROUPBOX | BS_LEFT, 0};
    case ControlKind::TransparentLabel: return {kTransparentLabelClass, child, WS_EX_TRANSPARENT};
    case ControlKind::PictureBox: return {kPictureBoxClass, child, 0};
    case ControlKind::Label: return {kLabelClass, child, 0};
    case ControlKind::EditBox:
      return {L"EDIT",
              child | WS_TABSTOP | ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
              WS_EX_CLIENTEDGE};
  }
  return {kLabelClass, child, 0};
}

POINT CentredOnPrimaryScreen(int width, int height) {
  return {(::GetSystemMetrics(SM_CXSCREEN) - width) / 2,
          (::GetSystemMetrics(SM_CYSCREEN) - height) / 2};
}

}  // namespace

LRESULT CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                       LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      ::SetPropW(window, kOwnerProperty,
                 reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
      break;
    case WM_ERASEBKGND: {  // the class has no brush: the window paints its own face
      RECT client{};
      ::GetClientRect(window, &client);
      FillWithButtonFace(reinterpret_cast<HDC>(wParam), client);
      return 1;
    }
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
      return AnswerButtonFaceColours(reinterpret_cast<HDC>(wParam));
    case WM_DESTROY: {  // the last window of the program is gone
      const auto* owner = static_cast<const MainWindow*>(::GetPropW(window, kOwnerProperty));
      if (PostsQuitOnDestroy(owner != nullptr && owner->messageLoopRunning_)) ::PostQuitMessage(0);
      return 0;
    }
    case WM_NCDESTROY:
      ::RemovePropW(window, kOwnerProperty);
      break;
    default:
      break;
  }
  return CallReplacedProcedure(nullptr, window, message, wParam, lParam);
}

// The stock font, or its Chinese variant for a caption it cannot draw.
HGDIOBJ MainWindow::FontForCaption(std::string_view caption) {
  const HGDIOBJ stock = ::GetStockObject(DEFAULT_GUI_FONT);
  const std::wstring wide = WideFromText(caption);
  if (FontHasGlyphs(stock, wide)) return stock;
  if (!captionFallback_) captionFallback_ = ChineseFallbackFor(stock, wide);
  return captionFallback_ ? static_cast<HGDIOBJ>(captionFallback_.get()) : stock;
}

bool MainWindow::CreateControls(HINSTANCE instance) {
  for (std::size_t i = 0; i < kControlCount; ++i) {
    ControlWindow& control = controls_[i];
    const ControlRow& row = kMainWindowControls[i];
    control.row = &row;
    const WindowKind kind = WindowKindOf(row.kind);
    control.handle = ::CreateWindowExW(
        kind.extendedStyle, kind.className, WideFromText(row.text).c_str(), kind.style,
        row.place.left, row.place.top, row.place.width, row.place.height, window_.get(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), instance, &control);
    if (!control.handle) return false;
    if (row.kind == ControlKind::GroupBox || row.kind == ControlKind::EditBox)
      ::SendMessageW(control.handle, WM_SETFONT,
                     reinterpret_cast<WPARAM>(FontForCaption(row.text)), FALSE);
    if (row.kind == ControlKind::GroupBox) TakeOverStandardControl(control);
    if (row.kind == ControlKind::EditBox) {
      ::SendMessageW(control.handle, EM_LIMITTEXT, 0, 0);  // no limit
      ::SendMessageW(control.handle, EM_SETSEL, 0, 0);
      ::SendMessageW(control.handle, EM_SCROLLCARET, 0, 0);
    }
  }
  return true;
}

// Children of a group box or the picture box move into it; their places
// then count from the container's client area.
void MainWindow::ParentControls() {
  for (std::size_t i = 0; i < kControlCount; ++i) {
    const std::string_view container = kMainWindowControls[i].container;
    if (container.empty()) continue;
    ::SetParent(controls_[i].handle, controls_[FindControl(container)].handle);
  }
}

// Within each container the table order is the stacking order, top first.
void MainWindow::StackControls() {
  for (std::size_t i = 0; i < kControlCount; ++i) {
    HWND above = HWND_TOP;
    for (std::size_t j = i; j-- > 0;) {
      if (kMainWindowControls[j].container == kMainWindowControls[i].container) {
        above = controls_[j].handle;
        break;
      }
    }
    ::SetWindowPos(controls_[i].handle, above, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void MainWindow::ShowVisibleControls() {
  for (std::size_t i = 0; i < kControlCount; ++i)
    if (kMainWindowControls[i].visible) ::ShowWindow(controls_[i].handle, SW_SHOWNA);
}

void MainWindow::LoadIcons(HINSTANCE instance) {
  bigIcon_.reset(static_cast<HICON>(
      ::LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP_ICON), IMAGE_ICON,
                   ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON), 0)));
  smallIcon_.reset(static_cast<HICON>(
      ::LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP_ICON), IMAGE_ICON,
                   ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0)));
  ::SendMessageW(window_.get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
  ::SendMessageW(window_.get(), WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(smallIcon_.get()));
}

bool MainWindow::Create(HINSTANCE instance) {
  if (!RegisterWindowClasses(instance, Procedure)) return false;
  const MainWindowFrame& frame = kMainWindowFrame;
  const POINT origin = CentredOnPrimaryScreen(frame.outerWidth, frame.outerHeight);
  window_.reset(::CreateWindowExW(0, kMainWindowClass, WideFromText(frame.caption).c_str(),
                                  frame.style, origin.x, origin.y, frame.outerWidth,
                                  frame.outerHeight, nullptr, nullptr, instance, this));
  if (!window_) return false;

  RECT made{};
  ::GetWindowRect(window_.get(), &made);
  if (made.right - made.left != frame.outerWidth || made.bottom - made.top != frame.outerHeight)
    ::MoveWindow(window_.get(), origin.x, origin.y, frame.outerWidth, frame.outerHeight, FALSE);

  LoadIcons(instance);
  ::SendMessageW(window_.get(), WM_SETFONT,
                 reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);

  if (!CreateControls(instance)) {
    window_.reset();
    return false;
  }
  ParentControls();
  StackControls();
  ShowVisibleControls();
  frame.onCreated();
  return true;
}

void MainWindow::ReleaseResources() noexcept {
  for (ControlWindow& control : controls_) control.picture.reset();
  bigIcon_.reset();
  smallIcon_.reset();
  captionFallback_.reset();
  // Destroying the window at the very end would run the skin and the
  // controls once more; the system takes it with the process.
  static_cast<void>(window_.release());
}

}  // namespace qsh

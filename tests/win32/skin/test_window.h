#pragma once
// Real windows for the skin tests: a top-level window that answers its
// controls' colour requests like the program's main window (button face,
// black text), a small nest of group boxes and a hidden edit box, and
// message pumping with time bounds. The program's own window is tested as
// itself (tests/win32/shell); these are for what it cannot be put through.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace qsh::skin::testing {

// Owns a window and destroys it at the end.
class OwnedWindow {
 public:
  OwnedWindow() = default;
  explicit OwnedWindow(HWND window) : window_(window) {}
  ~OwnedWindow() { reset(); }
  OwnedWindow(OwnedWindow&& other) noexcept : window_(other.window_) { other.window_ = nullptr; }
  OwnedWindow& operator=(OwnedWindow&& other) noexcept {
    if (this != &other) {
      reset();
      window_ = other.window_;
      other.window_ = nullptr;
    }
    return *this;
  }
  OwnedWindow(const OwnedWindow&) = delete;
  OwnedWindow& operator=(const OwnedWindow&) = delete;
  [[nodiscard]] HWND get() const { return window_; }
  void reset() {
    if (window_ != nullptr && ::IsWindow(window_)) ::DestroyWindow(window_);
    window_ = nullptr;
  }

 private:
  HWND window_ = nullptr;
};

// A top-level window of the test's own class: button-face background,
// WM_CTLCOLORBTN and WM_CTLCOLORSTATIC answered with the button-face brush
// and black text; WS_CLIPCHILDREN if asked for.
OwnedWindow CreateHostWindow(int x, int y, int width, int height, bool visible, bool clipChildren = false);

// A child control with DEFAULT_GUI_FONT.
HWND CreateControl(HWND parent, const char* className, const char* text, DWORD style, DWORD exStyle,
                   int x, int y, int width, int height);

// Windows to switch the skin on and off over, and to destroy under it: a
// host that clips its children, three group boxes, and a hidden multi-line
// edit box inside a plain child window (a grandchild of the host).
struct NestedControls {
  OwnedWindow host;
  HWND groupBox1 = nullptr;
  HWND groupBox2 = nullptr;
  HWND groupBox3 = nullptr;
  HWND plainChild = nullptr;  // not a control
  HWND hiddenEdit = nullptr;  // inside plainChild, never shown
};
NestedControls CreateNestedControls(bool visible);

// What the host window saw of its children's creation: for each child
// whose WM_PARENTNOTIFY(WM_CREATE) arrived, whether the skin had it then.
struct CreationNotice {
  HWND child;
  bool skinnedAtCreation;
};
std::vector<CreationNotice>& CreationNotices();

// Dispatches every message waiting for this thread.
void PumpMessages();
// Pumps until `done` answers true or `timeoutMs` have passed; the answer.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);
// Pumps until the window and its children have nothing left to paint.
bool PumpUntilPainted(HWND window, DWORD timeoutMs = 5000);
// Keeps the windows on the screen for QSH_SKIN_HOLD_MS milliseconds, if
// set: time to take a screenshot by hand.
void HoldForScreenshot();

// Text in code page 936 measured with DEFAULT_GUI_FONT, as DrawTextA does.
SIZE MeasureWithGuiFont(const std::string& text);

}  // namespace qsh::skin::testing

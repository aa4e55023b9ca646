#pragma once
// The program's only top-level window and its controls, built from the
// window description. It owns the window, the controls' records and the
// window's icons; it neither moves nor copies, as its controls point into it.

#include <windows.h>

#include <array>
#include <cstddef>
#include <string_view>

#include "platform/gdi_objects.h"
#include "platform/user_handles.h"
#include "shell/controls/control_classes.h"
#include "shell/window_description.h"

namespace qsh {

class MainWindow {
 public:
  MainWindow() = default;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Builds the window and every control, hidden, then raises the frame's
  // created event. False when the window cannot be made.
  [[nodiscard]] bool Create(HINSTANCE instance);

  // From now on the window's destruction ends the message loop.
  void NoteMessageLoopRunning() noexcept { messageLoopRunning_ = true; }

  [[nodiscard]] HWND handle() const noexcept { return window_.get(); }
  // The control of a row; pass ControlIndex("标签1"), checked at compile time.
  [[nodiscard]] HWND Control(std::size_t index) const noexcept { return controls_[index].handle; }

  // At the end of the program: gives back the icons and the pictures and
  // leaves the windows to the system, which takes them with the process.
  void ReleaseResources() noexcept;

 private:
  bool CreateControls(HINSTANCE instance);
  void ParentControls();
  void StackControls();
  void ShowVisibleControls();
  void LoadIcons(HINSTANCE instance);
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HGDIOBJ FontForCaption(std::string_view caption);

  UniqueWindow window_;
  std::array<ControlWindow, kControlCount> controls_{};  // in the order of the rows
  UniqueIcon bigIcon_, smallIcon_;
  bool messageLoopRunning_ = false;
  UniqueFont captionFallback_;  // made only where the stock font lacks a glyph
};

}  // namespace qsh

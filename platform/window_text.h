#pragma once
// A window's text, set and read whole: the one place where the program's
// texts meet the windows that show them.

#include <windows.h>

#include <string>

namespace qsh {

// SetWindowText: an edit control raises its content-changed notification.
void SetWindowTextOf(HWND window, const std::string& text);

// The whole text, read into a buffer as long as the window says; empty when
// it has none or the buffer cannot be had.
[[nodiscard]] std::string WindowTextOf(HWND window);

}  // namespace qsh

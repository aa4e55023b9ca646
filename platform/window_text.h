#pragma once
// A window's text, set and read whole: the one place where the program's
// texts meet the windows that show them.

#include <windows.h>

#include <string>

namespace qsh {

// SetWindowText, then, for a multi-line edit box, its content-changed event
// (EN_CHANGE to its parent), exactly once.
void SetWindowTextOf(HWND window, const std::string& text);

// The whole text, read into a buffer as long as the window says; empty when
// it has none or the buffer cannot be had.
[[nodiscard]] std::string WindowTextOf(HWND window);

}  // namespace qsh

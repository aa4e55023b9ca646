#pragma once
// The program's only top-level window and its controls.

#include <windows.h>

#include <string_view>

namespace qsh {

// Builds the window and every control from the window description, hidden,
// then raises the created event. False when the window cannot be made.
[[nodiscard]] bool CreateMainWindow(HINSTANCE instance);

HWND MainWindowHandle();
// The control of that name ("标签1", "编辑框1", ...); nullptr when unknown.
HWND ControlHandle(std::string_view name);

// Releases the icons and the banner that creation loaded.
void ReleaseMainWindowResources();

}  // namespace qsh

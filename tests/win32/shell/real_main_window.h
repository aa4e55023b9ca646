#pragma once
// The program's real main window, built once per test process the way the
// program builds it, in a scratch save folder that holds the primary save.

#include <windows.h>

#include <string>

#include "shell/window_description.h"

namespace qsh::testing {

// The shown and painted main window; nullptr when it could not be made.
HWND RealMainWindow();

// A control of the real window, by its row's index (ControlIndex("...")).
HWND RealControl(std::size_t index);

// The scratch save folder the window runs in.
const std::wstring& RealRunDirectory();

}  // namespace qsh::testing

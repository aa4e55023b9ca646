#pragma once
// The program's one way to subclass a window: put a procedure of ours in
// front of the window's own, and hand on what ours does not handle to the
// procedure it replaced. Every other window procedure also ends here, so the
// default handling of messages has one home.

#include <windows.h>

namespace qsh {

// Puts `procedure` in front of the window's current procedure; the replaced
// procedure, which the caller keeps, or nullptr when the window refused.
[[nodiscard]] WNDPROC ReplaceWindowProcedure(HWND window, WNDPROC procedure) noexcept;

// Hands a message on to a replaced procedure, or to the system's default
// handling when there is none (the program's own window classes).
LRESULT CallReplacedProcedure(WNDPROC replaced, HWND window, UINT message, WPARAM wParam,
                              LPARAM lParam) noexcept;

}  // namespace qsh

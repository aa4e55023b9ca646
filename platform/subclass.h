#pragma once
// The program's one way to subclass a window: put a procedure of ours in
// front of the window's own, and hand on what ours does not handle to the
// procedure it replaced. Every other window procedure also ends here, so the
// default handling of messages has one home. Every window of the program is
// a Unicode window, so that no text passes through the ANSI code page on its
// way; only a window that is itself ANSI is served in its own character set.

#include <windows.h>

namespace qsh {

enum class CharacterSet : bool { Ansi, Unicode };

// The character set the window's procedure works in (IsWindowUnicode).
[[nodiscard]] CharacterSet CharacterSetOf(HWND window) noexcept;

// Puts `procedure` in front of the window's current procedure; the replaced
// procedure, which the caller keeps, or nullptr when the window refused.
[[nodiscard]] WNDPROC ReplaceWindowProcedure(HWND window, WNDPROC procedure,
                                             CharacterSet set = CharacterSet::Unicode) noexcept;

// Hands a message on to a replaced procedure, or to the system's default
// handling when there is none (the program's own window classes), in the
// character set the procedure was replaced in.
LRESULT CallReplacedProcedure(WNDPROC replaced, HWND window, UINT message, WPARAM wParam,
                              LPARAM lParam, CharacterSet set = CharacterSet::Unicode) noexcept;

}  // namespace qsh

#pragma once
// Where the program's texts meet Windows. A text is code page 936 (GBK)
// bytes; Windows sees UTF-16 only. Every text goes through these two
// conversions, made with code page 936 itself and never with the system's
// ANSI code page, so that the program reads the same, and the version
// check's edit-box round trip gives the same bytes, on every system. A
// window's text is set and read whole here too.

#include <windows.h>

#include <string>
#include <string_view>

namespace qsh {

inline constexpr UINT kTextCodePage = 936;

// The UTF-16 form of a text. Empty for the empty text, and when the text is
// too long for Windows or memory runs out.
[[nodiscard]] std::wstring WideFromText(std::string_view text) noexcept;

// The text of a UTF-16 string; a character code page 936 lacks becomes its
// default character "?". Empty for the empty string, and when it is too
// long for Windows or memory runs out.
[[nodiscard]] std::string TextFromWide(std::wstring_view wide) noexcept;

// A window's whole text as UTF-16 (GetWindowTextW); empty when it has none
// or memory runs out.
[[nodiscard]] std::wstring WindowTextWide(HWND window) noexcept;

// SetWindowTextW with the text's UTF-16 form, then, for a multi-line edit
// box, its content-changed event (EN_CHANGE to its parent), exactly once.
void SetWindowTextOf(HWND window, const std::string& text) noexcept;

// The window's whole text converted back with code page 936; empty when it
// has none or memory runs out.
[[nodiscard]] std::string WindowTextOf(HWND window) noexcept;

}  // namespace qsh

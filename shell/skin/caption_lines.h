#pragma once
// Breaks a push button's caption into the lines the skin draws: at every
// "\r\n", and wherever the next character would no longer fit the width. A
// double-byte character (or, in UTF-16, a surrogate pair) is never split.

#include <functional>
#include <string_view>
#include <vector>

namespace qsh::skin {

// The width in pixels of a piece of text, as the drawing font measures it.
using MeasureText = std::function<int(std::string_view)>;
using MeasureWideText = std::function<int(std::wstring_view)>;
// True when a byte starts a double-byte character in the text's code page.
using IsLeadByte = bool (*)(unsigned char);

// The lead bytes of code page 936 (GBK): 0x81 to 0xFE.
[[nodiscard]] bool IsGbkLeadByte(unsigned char byte) noexcept;
// The first unit of a UTF-16 surrogate pair: 0xD800 to 0xDBFF.
[[nodiscard]] bool IsHighSurrogate(wchar_t unit) noexcept;

// Every line holds at least one character, so that a width too small for
// any character still makes progress. Empty lines between "\r\n" pairs are
// kept; a trailing "\r\n" adds no empty line.
[[nodiscard]] std::vector<std::string_view> BreakCaptionLines(std::string_view caption,
                                                              int width,
                                                              const MeasureText& measure,
                                                              IsLeadByte isLeadByte = IsGbkLeadByte);
// The same for a UTF-16 caption, as the skin reads it from the window.
[[nodiscard]] std::vector<std::wstring_view> BreakCaptionLines(std::wstring_view caption,
                                                               int width,
                                                               const MeasureWideText& measure);

}  // namespace qsh::skin

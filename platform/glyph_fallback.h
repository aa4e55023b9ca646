#pragma once
// Chinese glyphs where a font has none. On a system whose ANSI code page is
// not 936 the stock fonts may lack the Chinese characters and would draw
// boxes; a text then draws with a variant of its font that has them. Where
// the font has every glyph nothing changes.

#include <windows.h>

#include <string_view>

#include "platform/gdi_objects.h"

namespace qsh {

// True when the font has a glyph for every character of the text (control
// characters such as CR and LF, which are never drawn, do not count), or
// when the font cannot be asked.
[[nodiscard]] bool FontHasGlyphs(HGDIOBJ font, std::wstring_view text) noexcept;

// The font to draw the text with instead of `font`: a variant of the same
// height, weight and style with GB2312_CHARSET and the face left to the font
// mapper. Empty when `font` has every glyph or the variant cannot be made.
[[nodiscard]] UniqueFont ChineseFallbackFor(HGDIOBJ font, std::wstring_view text) noexcept;

}  // namespace qsh

#include "platform/glyph_fallback.h"

#include <algorithm>
#include <climits>
#include <iterator>
#include <string>
#include <new>
#include <vector>

namespace qsh {

bool FontHasGlyphs(HGDIOBJ font, std::wstring_view text) noexcept {
  std::wstring drawn;
  try {
    std::copy_if(text.begin(), text.end(), std::back_inserter(drawn),
                 [](wchar_t c) { return c >= L' '; });
  } catch (const std::bad_alloc&) {
    return true;
  }
  if (drawn.empty() || font == nullptr || drawn.size() > INT_MAX) return true;
  const UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  if (!dc) return true;
  const ScopedSelection selection(dc.get(), font);
  if (!selection.selected()) return true;
  std::vector<WORD> glyphs;
  try {
    glyphs.resize(drawn.size());
  } catch (const std::bad_alloc&) {
    return true;
  }
  const DWORD found = ::GetGlyphIndicesW(dc.get(), drawn.data(), static_cast<int>(drawn.size()),
                                         glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
  if (found == GDI_ERROR) return true;
  return std::find(glyphs.begin(), glyphs.end(), WORD{0xFFFF}) == glyphs.end();
}

UniqueFont ChineseFallbackFor(HGDIOBJ font, std::wstring_view text) noexcept {
  if (FontHasGlyphs(font, text)) return UniqueFont();
  LOGFONTW look{};
  if (::GetObjectW(font, sizeof look, &look) != sizeof look) return UniqueFont();
  look.lfCharSet = GB2312_CHARSET;
  look.lfFaceName[0] = L'\0';
  return UniqueFont(::CreateFontIndirectW(&look));
}

}  // namespace qsh

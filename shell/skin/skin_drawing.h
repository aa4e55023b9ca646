#pragma once
// The skin's drawing of each kind of control. Every function draws the
// control whole, through a fresh off-screen bitmap, from a copy of its
// record's state and colours and the palette of the current scheme.

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "shell/skin/skin_classify.h"
#include "shell/skin/skin_fills.h"
#include "shell/skin/skin_layout.h"
#include "shell/skin/skin_records.h"

namespace qsh::skin {

struct DrawRequest {
  HWND window = nullptr;
  SkinKind kind = SkinKind::None;
  std::uint32_t state = 0;
  ParentColours colours;
  const SkinPalette* palette = nullptr;
};

void DrawPushButton(const DrawRequest& request) noexcept;
void DrawCheckBox(const DrawRequest& request) noexcept;  // check boxes and radio buttons
void DrawGroupBox(const DrawRequest& request) noexcept;
// Edit boxes, combo boxes and drop-down lists: the frame only.
void DrawEditFrame(const DrawRequest& request) noexcept;

// Shared by the drawing functions.
// The caption as UTF-16 (GetWindowTextW), at most 255 characters: captions
// the system gives its own windows need not fit any code page.
[[nodiscard]] std::wstring CaptionOf(HWND window);
[[nodiscard]] HFONT FontOf(HWND window) noexcept;  // WM_GETFONT; nullptr for the system font
[[nodiscard]] std::uint32_t StyleOf(HWND window) noexcept;
[[nodiscard]] std::uint32_t ButtonFaceValue() noexcept;
// The size of text drawn as one line with the font selected into dc.
[[nodiscard]] SIZE MeasureSingleLine(HDC dc, std::wstring_view text);
// The DrawTextW flag of a caption's horizontal alignment.
[[nodiscard]] UINT AlignFlag(TextAlign align) noexcept;

}  // namespace qsh::skin

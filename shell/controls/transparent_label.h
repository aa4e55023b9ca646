#pragma once

#include <windows.h>

#include <string_view>

#include "shell/window_description.h"

namespace qsh {

// Draws a transparent label's text (and nothing else) into its rectangle.
void PaintTransparentLabel(HDC dc, const RECT& area, std::string_view text,
                           const ControlRow& look);

// The DrawTextA format of a label's alignment and line mode.
UINT LabelTextFormat(HorizontalAlign align, LineMode lineMode);

// The pointing hand shown over the link labels.
void SetHandPointer(HCURSOR hand);

}  // namespace qsh

#pragma once
// How each kind of the program's own controls paints itself: free
// functions of the device context, the control's client rectangle and its row.

#include <windows.h>

#include "shell/window_description.h"

namespace qsh {

// The row's text (and nothing else): the container shows through. Where the
// label's font lacks a glyph of it, a Chinese variant of that font draws it.
void PaintTransparentLabel(HDC dc, const RECT& area, const ControlRow& row);

// The picture, unscaled from the top-left corner, on the button face
// wherever it does not reach. No picture: the face alone.
void PaintPictureBox(HDC dc, const RECT& area, const ControlRow& row, HBITMAP picture);

// The button face.
void PaintLabel(HDC dc, const RECT& area, const ControlRow& row);

// The DrawTextW format of a label's alignment and line mode.
UINT LabelTextFormat(HorizontalAlign align, LineMode lineMode);

}  // namespace qsh

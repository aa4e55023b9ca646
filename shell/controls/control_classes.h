#pragma once
// The window classes of the program: the main window, and the transparent
// label, picture box and label controls. Each control window keeps a pointer
// to its row of the window description in GWLP_USERDATA.

#include <windows.h>

#include <cstdint>
#include <string>

#include "shell/window_description.h"

namespace qsh {

inline constexpr const char* kMainWindowClass = "QelvarinSaveHelperWindow";
inline constexpr const char* kTransparentLabelClass = "QelvarinTransparentLabel";
inline constexpr const char* kPictureBoxClass = "QelvarinPictureBox";
inline constexpr const char* kLabelClass = "QelvarinLabel";

// Registers every class that is not registered yet; false when one fails.
[[nodiscard]] bool RegisterWindowClasses(HINSTANCE instance, WNDPROC mainWindowProcedure);

LRESULT CALLBACK TransparentLabelProcedure(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK PictureBoxProcedure(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK LabelProcedure(HWND, UINT, WPARAM, LPARAM);

// Group boxes are standard buttons; this procedure goes in front of theirs.
void TakeOverGroupBox(HWND groupBox);

// The row of the window description that a control was created from.
const ControlRow* RowOf(HWND control);
// Keeps the row for a control; called from WM_NCCREATE with the create
// parameter, or right after creation for standard controls.
void KeepRow(HWND control, const ControlRow* row);
// The same from WM_NCCREATE, whose create parameter is the row.
void KeepRowFromCreate(HWND control, LPARAM createStruct);

// The pointer's place in a mouse message's LPARAM (signed low and high word).
inline std::int32_t MouseX(LPARAM lParam) { return static_cast<std::int16_t>(LOWORD(lParam)); }
inline std::int32_t MouseY(LPARAM lParam) { return static_cast<std::int16_t>(HIWORD(lParam)); }

// The key flags of a mouse message's WPARAM: 1 Ctrl, 2 Shift, 4 Alt, added.
std::int32_t MouseKeyFlags(WPARAM wParam);

// A window's whole text, read with GetWindowTextA; empty when it has none.
std::string WindowText(HWND window);

// Fills a window's client area with the button face colour.
void FillWithButtonFace(HWND window, HDC dc);

// Black text on the button face, for the colour requests of children.
LRESULT AnswerButtonFaceColours(HDC dc);

}  // namespace qsh

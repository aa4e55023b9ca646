#pragma once
// The window classes of the program and the one control procedure. The
// program's own control classes (transparent label, picture box, label) are
// served by ControlProcedure from the start; the group boxes, standard BUTTON
// windows, are put behind it with the subclass helper. Either way the
// window keeps a pointer to its ControlWindow in GWLP_USERDATA.

#include <windows.h>

#include <cstdint>

#include "platform/gdi_objects.h"
#include "shell/window_description.h"

namespace qsh {

// Unicode classes: no text of theirs passes through the ANSI code page.
inline constexpr const wchar_t* kMainWindowClass = L"QelvarinSaveHelperWindow";
inline constexpr const wchar_t* kTransparentLabelClass = L"QelvarinTransparentLabel";
inline constexpr const wchar_t* kPictureBoxClass = L"QelvarinPictureBox";
inline constexpr const wchar_t* kLabelClass = L"QelvarinLabel";

// One control of the main window: its row, and what the control owns.
struct ControlWindow {
  const ControlRow* row = nullptr;
  HWND handle = nullptr;
  WNDPROC replaced = nullptr;  // a standard control's own procedure
  UniqueBitmap picture;        // the row's picture, loaded at creation
  HCURSOR pointer = nullptr;   // the row's pointer when not the arrow; shared, not owned
};

// Registers every class that is not registered yet; false when one fails.
[[nodiscard]] bool RegisterWindowClasses(HINSTANCE instance, WNDPROC mainWindowProcedure);

// Serves the program's own control classes, which pass the ControlWindow
// as the create parameter, and the standard controls put behind it.
LRESULT CALLBACK ControlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Puts ControlProcedure in front of a standard control's own procedure.
void TakeOverStandardControl(ControlWindow& control);

// Fills a rectangle with the button face colour.
void FillWithButtonFace(HDC dc, const RECT& area);

// Black text on the button face, for the colour requests of children.
LRESULT AnswerButtonFaceColours(HDC dc);

// The key flags of a mouse message's WPARAM: 1 Ctrl, 2 Shift, 4 Alt, added.
std::int32_t MouseKeyFlags(WPARAM wParam);

}  // namespace qsh

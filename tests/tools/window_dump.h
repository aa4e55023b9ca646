#pragma once
// Writes windows and their child trees as JSON: everything a test wants to
// check about a window without sending it a message, so that a program that
// is busy or blocked can still be inspected.

#include <windows.h>

#include <string>
#include <vector>

#include "tests/tools/json_writer.h"

namespace qsh::tools {

struct WindowFilter {
  std::vector<DWORD> pids;  // empty: any process
  bool pidsGiven = false;   // a filter by exe name that matched nothing keeps nothing
  std::wstring title;       // exact caption of the top-level window
  bool titleGiven = false;
  std::wstring className;   // exact class of the top-level window
  bool classGiven = false;
  HWND root = nullptr;      // only this window and its tree
  // Also ask each window for its text with WM_GETTEXT (1 s time-out; a
  // thread that missed it once is not asked again), which sees what a
  // control keeps to itself, such as an edit box's content.
  bool messageText = false;
};

// {"screen":..., "foreground":..., "focus":..., "cursor":..., "windows":[...]}
void WriteWindowReport(JsonWriter& json, const WindowFilter& filter);

// Left, top, right, bottom as an object.
void WriteRect(JsonWriter& json, const RECT& rect);

}  // namespace qsh::tools

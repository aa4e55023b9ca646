#pragma once
// Questions about the session that a test asks besides the window tree:
// whether a hotkey is free, what a process holds, which processes run, and
// bringing a window to the front, posting a message, a system colour.

#include <windows.h>

#include "tests/tools/json_writer.h"

namespace qsh::tools {

// {"vk":..,"mods":..,"free":bool,"error":..}: tries RegisterHotKey for this
// thread and gives the key back at once when it was free.
void WriteHotkeyProbe(JsonWriter& json, UINT virtualKey, UINT modifiers);

// GDI and USER object counts, handle count and memory of one process;
// null for each figure the system does not give.
void WriteResourceCounts(JsonWriter& json, DWORD pid);

// [{"pid":..,"ppid":..,"threads":..,"exe":".."}, ...]
void WriteProcessList(JsonWriter& json);

// Asks for window to become the foreground window; reports whether it is.
void WriteActivation(JsonWriter& json, HWND window);

// Posts one message to a window (of any process), as the system would post
// a hotkey press: {"hwnd","message","wparam","lparam","posted","error"}.
// Only messages whose parameters are plain numbers make sense here.
void WritePostedMessage(JsonWriter& json, HWND window, UINT message, WPARAM wParam,
                        LPARAM lParam);

// {"index":..,"red":..,"green":..,"blue":..}: GetSysColor(index), which is
// the same for every program of the session.
void WriteSystemColour(JsonWriter& json, int index);

}  // namespace qsh::tools

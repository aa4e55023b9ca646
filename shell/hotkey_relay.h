#pragma once
// System-wide hotkeys: registration, and the relay that hands each press to
// the relay target as the hotkey relay message.

#include <windows.h>

#include "shell/hotkey_dispatch.h"

namespace qsh {

// Registers a hotkey for the receiving window and routes its presses to the
// relay target. Every attempt takes the next id (33001, 33002, ...), also a
// failed one; the result is that id, or 0 when the system refused the key.
HotkeyId RegisterGlobalHotkey(HWND receivingWindow, HWND relayTarget, std::int32_t modifierCode,
                              std::int32_t virtualKey);

}  // namespace qsh

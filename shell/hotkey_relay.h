#pragma once
// System-wide hotkeys: registration, and the relay that hands each press to
// the relay target as the hotkey relay message.

#include <windows.h>

#include "shell/hotkey_dispatch.h"

namespace qsh {

// One relay for the process, put in front of the first receiving window's
// procedure, where it keeps itself in the window's user data until the
// window is gone. It must outlive that window.
class HotkeyRelay {
 public:
  HotkeyRelay() = default;
  HotkeyRelay(const HotkeyRelay&) = delete;
  HotkeyRelay& operator=(const HotkeyRelay&) = delete;

  // Registers a hotkey for the receiving window and routes its presses to
  // the relay target. Every attempt takes the next id (33001, 33002, ...),
  // also a failed one; the result is that id, or 0 when the system refused
  // the key.
  HotkeyId Register(HWND receivingWindow, HWND relayTarget, std::int32_t modifierCode,
                    std::int32_t virtualKey);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND relayTarget_ = nullptr;
  WNDPROC replaced_ = nullptr;
  std::int32_t issuedCount_ = 0;
  HotkeyId lastIssuedId_ = 0;
};

}  // namespace qsh

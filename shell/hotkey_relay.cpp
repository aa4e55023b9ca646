#include "shell/hotkey_relay.h"

namespace qsh {
namespace {

// One relay for the process, put in front of the first receiving window.
struct HotkeyRelayState {
  HWND relayTarget = nullptr;
  WNDPROC previousProcedure = nullptr;
  std::int32_t issuedCount = 0;
  HotkeyId lastIssuedId = 0;
};
HotkeyRelayState relay;

LRESULT CALLBACK HotkeyRelayProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_HOTKEY) {
    const auto id = static_cast<HotkeyId>(wParam);
    // Synchronous: returns when the backup or restore it starts is done.
    if (IsRelayedHotkeyId(id, relay.lastIssuedId))
      ::SendMessageA(relay.relayTarget, kHotkeyRelayMessage, wParam, 0);
  }
  return ::CallWindowProcA(relay.previousProcedure, window, message, wParam, lParam);
}

}  // namespace

HotkeyId RegisterGlobalHotkey(HWND receivingWindow, HWND relayTarget, std::int32_t modifierCode,
                              std::int32_t virtualKey) {
  relay.relayTarget = relayTarget;
  const std::uint32_t modifiers = HotkeyModifierFlags(modifierCode);
  if (!relay.previousProcedure) {
    relay.previousProcedure = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
        receivingWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HotkeyRelayProcedure)));
  }
  relay.lastIssuedId = HotkeyIdForAttempt(++relay.issuedCount);
  const bool registered = ::RegisterHotKey(receivingWindow, relay.lastIssuedId, modifiers,
                                           static_cast<UINT>(virtualKey)) != FALSE;
  return registered ? relay.lastIssuedId : 0;
}

}  // namespace qsh

#include "shell/hotkey_relay.h"

#include "platform/subclass.h"

namespace qsh {

LRESULT CALLBACK HotkeyRelay::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto* relay = reinterpret_cast<const HotkeyRelay*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (relay == nullptr) return CallReplacedProcedure(nullptr, window, message, wParam, lParam);
  const WNDPROC replaced = relay->replaced_;
  if (message == WM_HOTKEY) {
    const auto id = static_cast<HotkeyId>(wParam);
    // Synchronous: returns when the backup or restore it starts is done.
    if (IsRelayedHotkeyId(id, relay->lastIssuedId_))
      ::SendMessageW(relay->relayTarget_, kHotkeyRelayMessage, wParam, 0);
  } else if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  }
  return CallReplacedProcedure(replaced, window, message, wParam, lParam);
}

HotkeyId HotkeyRelay::Register(HWND receivingWindow, HWND relayTarget, std::int32_t modifierCode,
                               std::int32_t virtualKey) {
  relayTarget_ = relayTarget;
  const std::uint32_t modifiers = HotkeyModifierFlags(modifierCode);
  if (!replaced_) {
    ::SetWindowLongPtrW(receivingWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    replaced_ = ReplaceWindowProcedure(receivingWindow, Procedure);
  }
  lastIssuedId_ = HotkeyIdForAttempt(++issuedCount_);
  const bool registered = ::RegisterHotKey(receivingWindow, lastIssuedId_, modifiers,
                                           static_cast<UINT>(virtualKey)) != FALSE;
  return registered ? lastIssuedId_ : 0;
}

}  // namespace qsh

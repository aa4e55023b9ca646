#pragma once
// The decisions of the hotkey road, as plain integer functions: which ids
// are handed out, which are relayed, which operation an id selects.

#include <cstdint>

namespace qsh {

using HotkeyId = std::int32_t;

inline constexpr HotkeyId kFirstHotkeyId = 33001;
inline constexpr std::uint32_t kHotkeyRelayMessage = 32885;  // WM_APP + 117

// The id of the n-th registration attempt (counting from 1, failed attempts
// included): 33000 + n.
constexpr HotkeyId HotkeyIdForAttempt(std::int32_t attempt) { return 33000 + attempt; }

// A hotkey message is relayed when its id is one this process handed out.
constexpr bool IsRelayedHotkeyId(HotkeyId id, HotkeyId lastIssuedId) {
  return id >= kFirstHotkeyId && id <= lastIssuedId;
}

// The small modifier code of a registration turned into RegisterHotKey's
// flags (MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4); other codes pass unchanged.
constexpr std::uint32_t HotkeyModifierFlags(std::int32_t code) {
  switch (code) {
    case 1: return 2;
    case 2: return 4;
    case 3: return 2 + 4;
    case 4: return 1;
    case 5: return 1 + 2;
    case 6: return 1 + 4;
    default: return static_cast<std::uint32_t>(code);
  }
}

struct HotkeyOperations {
  bool backup = false;
  bool restore = false;
  friend bool operator==(const HotkeyOperations&, const HotkeyOperations&) = default;
};

// Backup and restore are tested independently, backup first; an id of 0 (a
// hotkey that could not be registered) selects whatever else holds 0.
constexpr HotkeyOperations SelectHotkeyOperations(HotkeyId pressed, HotkeyId backupId,
                                                  HotkeyId restoreId) {
  return {pressed == backupId, pressed == restoreId};
}

}  // namespace qsh

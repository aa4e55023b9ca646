#pragma once
// The handlers that the window description binds to control events.

#include <cstdint>

namespace qsh {

void OnMainWindowCreated();
void OnHotkeyFeedback(std::int32_t first, std::int32_t second);

}  // namespace qsh

#pragma once
// What the control skin holds, for tests and inspection tools; the program
// itself does not need it.

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "shell/skin/skin_classify.h"

namespace qsh::skin {

[[nodiscard]] std::int32_t CurrentSkinScheme() noexcept;
[[nodiscard]] bool SkinHookInstalled() noexcept;
[[nodiscard]] std::size_t SkinRecordCount() noexcept;
[[nodiscard]] bool IsSkinned(HWND window) noexcept;
// SkinKind::None for a window without record.
[[nodiscard]] SkinKind SkinKindOf(HWND window) noexcept;
// The record's state flags (see skin_state.h); 0 for a window without record.
[[nodiscard]] std::uint32_t SkinStateOf(HWND window) noexcept;

}  // namespace qsh::skin

#pragma once
// The state flags of a skinned control and the flags it starts with.

#include <cstdint>

#include "shell/skin/skin_classify.h"

namespace qsh::skin {

namespace state {
inline constexpr std::uint32_t kDisabled = 1u << 0;
inline constexpr std::uint32_t kPressed = 1u << 1;
inline constexpr std::uint32_t kHot = 1u << 2;  // the pointer is over the control
inline constexpr std::uint32_t kFocused = 1u << 4;
inline constexpr std::uint32_t kDefault = 1u << 16;  // default push button
inline constexpr std::uint32_t kChecked = 1u << 17;
inline constexpr std::uint32_t kIndeterminate = 1u << 18;
inline constexpr std::uint32_t kReadOnly = 1u << 28;  // read-only edit box
}  // namespace state

// What the Win32 layer reads from a window when it takes it over.
struct InitialFacts {
  std::uint32_t style = 0;
  bool focused = false;
  std::uint32_t checkState = 0;  // the BM_GETCHECK answer; buttons only
};

[[nodiscard]] std::uint32_t InitialState(SkinKind kind, const InitialFacts& facts) noexcept;

[[nodiscard]] constexpr bool Has(std::uint32_t flags, std::uint32_t flag) noexcept {
  return (flags & flag) != 0;
}

}  // namespace qsh::skin

#include "shell/skin/skin_state.h"

#include "shell/skin/skin_system_values.h"

namespace qsh::skin {

std::uint32_t InitialState(SkinKind kind, const InitialFacts& facts) noexcept {
  std::uint32_t flags = 0;
  if ((facts.style & kWsDisabled) != 0) flags |= state::kDisabled;
  if (facts.focused) flags |= state::kFocused;
  if (IsButtonKind(kind)) {
    if ((facts.style & kBsTypeMask) == kBsDefPushButton) flags |= state::kDefault;
    if (facts.checkState == kBstChecked) flags |= state::kChecked;
    if (facts.checkState == kBstIndeterminate) flags |= state::kIndeterminate;
  }
  if (kind == SkinKind::EditBox && (facts.style & kEsReadOnly) != 0) flags |= state::kReadOnly;
  return flags;
}

}  // namespace qsh::skin

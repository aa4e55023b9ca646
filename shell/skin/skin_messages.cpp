#include "shell/skin/skin_messages.h"

#include <optional>

#include "shell/skin/skin_state.h"
#include "shell/skin/skin_system_values.h"

namespace qsh::skin {

namespace {

constexpr std::uint32_t With(std::uint32_t flags, std::uint32_t flag, bool on) {
  return on ? (flags | flag) : (flags & ~flag);
}

MessageDecision Pass(std::uint32_t flags) { return MessageDecision{Handler::Previous, flags, false, false}; }
MessageDecision PassThenDraw(std::uint32_t flags) {
  return MessageDecision{Handler::Previous, flags, false, true};
}
MessageDecision DefaultThenDraw(std::uint32_t flags) {
  return MessageDecision{Handler::Default, flags, false, true};
}

// Push buttons, check boxes and radio buttons: the skin paints them whole,
// so their own painting is skipped.
std::optional<MessageDecision> DecideButton(std::uint32_t flags, std::uint32_t message,
                                            std::uintptr_t wParam) {
  switch (message) {
    case kWmPaint:
    case kWmSetText:
      return DefaultThenDraw(flags);
    case kWmEraseBkgnd:
      return Pass(flags);
    case kBmSetCheck: {
      std::uint32_t next = flags & ~(state::kChecked | state::kIndeterminate);
      if (wParam == kBstChecked) next |= state::kChecked;
      if (wParam == kBstIndeterminate) next |= state::kIndeterminate;
      return PassThenDraw(next);
    }
    case kBmSetState:
      return PassThenDraw(With(flags, state::kPressed, wParam != 0));
    case kBmSetStyle:
      return PassThenDraw(With(flags, state::kDefault, (wParam & 1) != 0));
    default:
      return std::nullopt;
  }
}

// Edit boxes, and the combo boxes and drop-down lists framed like them: the
// control paints itself and the skin draws the frame over it.
std::optional<MessageDecision> DecideFramed(SkinKind kind, std::uint32_t flags,
                                            std::uint32_t message) {
  switch (message) {
    case kWmPaint:
    case kWmNcPaint:
    case kWmHScroll:
    case kWmVScroll:
      return PassThenDraw(flags);
    case kWmNcMouseMove:
      return DefaultThenDraw(flags | state::kHot);
    case kWmMouseLeave:
      return DefaultThenDraw(flags & ~state::kHot);
    case kEmSetReadOnly:
      if (kind == SkinKind::EditBox) return Pass(flags);
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

std::optional<MessageDecision> DecideGroupBox(std::uint32_t flags, std::uint32_t message) {
  if (message == kWmPaint || message == kWmNcPaint) return DefaultThenDraw(flags);
  return std::nullopt;
}

// Focus, enabling and the pointer, for every kind.
MessageDecision DecideCommon(std::uint32_t flags, std::uint32_t message, std::uintptr_t wParam) {
  switch (message) {
    case kWmSetFocus:
      return PassThenDraw(flags | state::kFocused);
    case kWmKillFocus:
      return PassThenDraw(flags & ~state::kFocused);
    case kWmEnable:
      return PassThenDraw(With(flags, state::kDisabled, wParam == 0));
    case kWmMouseMove:
      if (!Has(flags, state::kHot) && (wParam & kMkLButton) == 0) {
        return MessageDecision{Handler::Previous, flags | state::kHot, true, true};
      }
      return Pass(flags);
    case kWmMouseLeave:
      if (Has(flags, state::kHot)) return PassThenDraw(flags & ~state::kHot);
      return Pass(flags);
    default:
      return Pass(flags);
  }
}

}  // namespace

MessageDecision DecideMessage(SkinKind kind, std::uint32_t flags, std::uint32_t message,
                              std::uintptr_t wParam) noexcept {
  std::optional<MessageDecision> specific;
  switch (kind) {
    case SkinKind::PushButton:
    case SkinKind::CheckBox:
    case SkinKind::RadioButton:
      specific = DecideButton(flags, message, wParam);
      break;
    case SkinKind::EditBox:
    case SkinKind::ComboBox:
    case SkinKind::DropDownList:
      specific = DecideFramed(kind, flags, message);
      break;
    case SkinKind::GroupBox:
      specific = DecideGroupBox(flags, message);
      break;
    case SkinKind::UpDown:
      // The up-down follows the button itself while it is held down.
      if (message == kWmLButtonDown) specific = Pass(flags);
      break;
    case SkinKind::None:
    case SkinKind::Recognised:
      break;
  }
  return specific ? *specific : DecideCommon(flags, message, wParam);
}

}  // namespace qsh::skin

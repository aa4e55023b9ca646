#include "shell/skin/skin_classify.h"

#include <array>

#include "shell/skin/skin_system_values.h"

namespace qsh::skin {

bool EqualsIgnoringCase(std::string_view left, std::string_view right) noexcept {
  if (left.size() != right.size()) return false;
  for (std::size_t i = 0; i < left.size(); ++i) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(left[i]) != lower(right[i])) return false;
  }
  return true;
}

namespace {

ControlKind ClassifyButton(const WindowFacts& facts) {
  const std::uint32_t style = facts.style;
  if ((style & kBsBitmap) != 0) return ControlKind::None;
  const bool pushLike = (style & kBsPushLike) != 0;
  switch (style & kBsTypeMask) {
    case kBsPushButton:
    case kBsDefPushButton:
      // A bare tab-stop child without text is a placeholder, not a button
      // anyone looks at.
      if (!facts.hasText && style == (kWsChild | kWsTabStop)) return ControlKind::None;
      return ControlKind::PushButton;
    case kBsCheckBox:
    case kBsAutoCheckBox:
    case kBs3State:
    case kBsAuto3State:
      return pushLike ? ControlKind::PushButton : ControlKind::CheckBox;
    case kBsRadioButton:
    case kBsAutoRadioButton:
      return pushLike ? ControlKind::PushButton : ControlKind::RadioButton;
    case kBsGroupBox:
      return ControlKind::GroupBox;
    default:  // owner-drawn, user buttons, push boxes, command links, split buttons
      return ControlKind::None;
  }
}

constexpr std::array<std::string_view, 5> kRecognisedClasses = {
    "ScrollBar", "SysMonthCal32", "SysTabControl32", "msctls_progress32", "msctls_trackbar32"};

}  // namespace

ControlKind ClassifyWindow(const WindowFacts& facts) noexcept {
  const std::string_view name = facts.className;
  if (EqualsIgnoringCase(name, "Button")) return ClassifyButton(facts);
  if (EqualsIgnoringCase(name, "Edit")) {
    // The four fields of an IP address control keep the control's own look.
    return EqualsIgnoringCase(facts.parentClassName, "SysIPAddress32") ? ControlKind::None
                                                                      : ControlKind::EditBox;
  }
  if (EqualsIgnoringCase(name, "ComboBox")) {
    return (facts.style & kCbsTypeMask) == kCbsSimple ? ControlKind::None : ControlKind::ComboBox;
  }
  if (EqualsIgnoringCase(name, "msctls_updown32")) return ControlKind::UpDown;
  if (EqualsIgnoringCase(name, "ComboLBox")) return ControlKind::DropDownList;
  for (std::string_view recognised : kRecognisedClasses) {
    if (EqualsIgnoringCase(name, recognised)) return ControlKind::Recognised;
  }
  return ControlKind::None;
}

bool IsTakenOver(ControlKind kind) noexcept {
  return kind != ControlKind::None && kind != ControlKind::Recognised;
}

bool IsButtonKind(ControlKind kind) noexcept {
  return kind == ControlKind::PushButton || kind == ControlKind::CheckBox ||
         kind == ControlKind::RadioButton;
}

}  // namespace qsh::skin

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

SkinKind ClassifyButton(const WindowFacts& facts) {
  const std::uint32_t style = facts.style;
  if ((style & kBsBitmap) != 0) return SkinKind::None;
  const bool pushLike = (style & kBsPushLike) != 0;
  switch (style & kBsTypeMask) {
    case kBsPushButton:
    case kBsDefPushButton:
      // A bare tab-stop child without text is a placeholder, not a button
      // anyone looks at.
      if (!facts.hasText && style == (kWsChild | kWsTabStop)) return SkinKind::None;
      return SkinKind::PushButton;
    case kBsCheckBox:
    case kBsAutoCheckBox:
    case kBs3State:
    case kBsAuto3State:
      return pushLike ? SkinKind::PushButton : SkinKind::CheckBox;
    case kBsRadioButton:
    case kBsAutoRadioButton:
      return pushLike ? SkinKind::PushButton : SkinKind::RadioButton;
    case kBsGroupBox:
      return SkinKind::GroupBox;
    default:  // owner-drawn, user buttons, push boxes, command links, split buttons
      return SkinKind::None;
  }
}

constexpr std::array<std::string_view, 5> kRecognisedClasses = {
    "ScrollBar", "SysMonthCal32", "SysTabControl32", "msctls_progress32", "msctls_trackbar32"};

}  // namespace

SkinKind ClassifyWindow(const WindowFacts& facts) noexcept {
  const std::string_view name = facts.className;
  if (EqualsIgnoringCase(name, "Button")) return ClassifyButton(facts);
  if (EqualsIgnoringCase(name, "Edit")) {
    // The four fields of an IP address control keep the control's own look.
    return EqualsIgnoringCase(facts.parentClassName, "SysIPAddress32") ? SkinKind::None
                                                                      : SkinKind::EditBox;
  }
  if (EqualsIgnoringCase(name, "ComboBox")) {
    return (facts.style & kCbsTypeMask) == kCbsSimple ? SkinKind::None : SkinKind::ComboBox;
  }
  if (EqualsIgnoringCase(name, "msctls_updown32")) return SkinKind::UpDown;
  if (EqualsIgnoringCase(name, "ComboLBox")) return SkinKind::DropDownList;
  for (std::string_view recognised : kRecognisedClasses) {
    if (EqualsIgnoringCase(name, recognised)) return SkinKind::Recognised;
  }
  return SkinKind::None;
}

bool IsTakenOver(SkinKind kind) noexcept {
  return kind != SkinKind::None && kind != SkinKind::Recognised;
}

bool IsButtonKind(SkinKind kind) noexcept {
  return kind == SkinKind::PushButton || kind == SkinKind::CheckBox ||
         kind == SkinKind::RadioButton;
}

}  // namespace qsh::skin

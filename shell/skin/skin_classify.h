#pragma once
// Which kind of control a window is, from its class name and style, and
// whether the skin takes such a window over.

#include <cstdint>
#include <string_view>

namespace qsh::skin {

enum class SkinKind : std::uint8_t {
  None,          // unknown class, or a button the skin leaves alone
  Recognised,    // a known class that keeps its own look
  PushButton,
  CheckBox,
  RadioButton,
  GroupBox,
  EditBox,
  ComboBox,
  UpDown,
  DropDownList,  // the list of a combo box (class ComboLBox)
};

// What the classification looks at.
struct WindowFacts {
  std::string_view className;
  std::uint32_t style = 0;
  std::string_view parentClassName;  // empty for a window without parent
  bool hasText = false;
};

[[nodiscard]] SkinKind ClassifyWindow(const WindowFacts& facts) noexcept;

// True for the kinds whose window procedure the skin replaces.
[[nodiscard]] bool IsTakenOver(SkinKind kind) noexcept;

// True for push buttons, check boxes and radio buttons.
[[nodiscard]] bool IsButtonKind(SkinKind kind) noexcept;

// ASCII comparison without regard to case, as window class names compare.
[[nodiscard]] bool EqualsIgnoringCase(std::string_view left, std::string_view right) noexcept;

}  // namespace qsh::skin

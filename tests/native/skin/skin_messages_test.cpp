#include "shell/skin/skin_messages.h"

#include <gtest/gtest.h>

#include <ostream>

#include "shell/skin/skin_state.h"
#include "shell/skin/skin_system_values.h"

namespace qsh::skin {
namespace {

using namespace state;

struct MessageCase {
  const char* label;
  SkinKind kind;
  std::uint32_t flags;
  std::uint32_t message;
  std::uintptr_t wParam;
  MessageDecision expected;
};

std::ostream& operator<<(std::ostream& out, const MessageCase& c) { return out << c.label; }

constexpr auto P = Handler::Previous;
constexpr auto D = Handler::Default;
constexpr auto Push = SkinKind::PushButton;
constexpr auto Check = SkinKind::CheckBox;
constexpr auto Radio = SkinKind::RadioButton;
constexpr auto Edit = SkinKind::EditBox;
constexpr auto Group = SkinKind::GroupBox;
constexpr auto Combo = SkinKind::ComboBox;
constexpr auto List = SkinKind::DropDownList;
constexpr auto Spin = SkinKind::UpDown;

class DecideMessageTest : public ::testing::TestWithParam<MessageCase> {};

TEST_P(DecideMessageTest, RoutesTheMessageAndKeepsTheFlagsCurrent) {
  const MessageCase& c = GetParam();
  const MessageDecision decision = DecideMessage(c.kind, c.flags, c.message, c.wParam);
  EXPECT_EQ(decision.handler, c.expected.handler);
  EXPECT_EQ(decision.flags, c.expected.flags) << std::hex << decision.flags;
  EXPECT_EQ(decision.trackLeave, c.expected.trackLeave);
  EXPECT_EQ(decision.draw, c.expected.draw);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, DecideMessageTest,
    ::testing::Values(
        MessageCase{"button paint skips the button's own painting", Push, kFocused, kWmPaint, 0, {D, kFocused, false, true}},
        MessageCase{"check box paint", Check, 0, kWmPaint, 0, {D, 0, false, true}},
        MessageCase{"radio set text", Radio, 0, kWmSetText, 0, {D, 0, false, true}},
        MessageCase{"button erase goes to the button only", Push, 0, kWmEraseBkgnd, 0, {P, 0, false, false}},
        MessageCase{"check 1", Check, 0, kBmSetCheck, 1, {P, kChecked, false, true}},
        MessageCase{"check 2", Check, kChecked, kBmSetCheck, 2, {P, kIndeterminate, false, true}},
        MessageCase{"check 0", Check, kChecked | kIndeterminate | kHot, kBmSetCheck, 0, {P, kHot, false, true}},
        MessageCase{"check 7 means neither", Push, kChecked, kBmSetCheck, 7, {P, 0, false, true}},
        MessageCase{"state pressed", Push, kFocused, kBmSetState, 1, {P, kFocused | kPressed, false, true}},
        MessageCase{"state any non-zero", Push, 0, kBmSetState, 0x100, {P, kPressed, false, true}},
        MessageCase{"state released", Push, kPressed | kHot, kBmSetState, 0, {P, kHot, false, true}},
        MessageCase{"style default", Push, 0, kBmSetStyle, 1, {P, kDefault, false, true}},
        MessageCase{"style default from the lowest bit", Push, 0, kBmSetStyle, 0x10001, {P, kDefault, false, true}},
        MessageCase{"style plain", Push, kDefault | kFocused, kBmSetStyle, 0, {P, kFocused, false, true}},
        MessageCase{"button non-client paint is the button's", Push, 0, kWmNcPaint, 0, {P, 0, false, false}}));

INSTANTIATE_TEST_SUITE_P(
    EditsAndGroups, DecideMessageTest,
    ::testing::Values(
        MessageCase{"edit paint, then the frame", Edit, 0, kWmPaint, 0, {P, 0, false, true}},
        MessageCase{"edit non-client paint", Edit, kReadOnly, kWmNcPaint, 0, {P, kReadOnly, false, true}},
        MessageCase{"edit horizontal scroll", Edit, 0, kWmHScroll, 0, {P, 0, false, true}},
        MessageCase{"edit vertical scroll", Edit, 0, kWmVScroll, 0, {P, 0, false, true}},
        MessageCase{"edit non-client move", Edit, 0, kWmNcMouseMove, 0, {D, kHot, false, true}},
        MessageCase{"edit non-client move while hot", Edit, kHot, kWmNcMouseMove, 0, {D, kHot, false, true}},
        MessageCase{"edit leave", Edit, kHot, kWmMouseLeave, 0, {D, 0, false, true}},
        MessageCase{"edit leave while not hot", Edit, 0, kWmMouseLeave, 0, {D, 0, false, true}},
        MessageCase{"edit read-only goes to the edit only", Edit, 0, kEmSetReadOnly, 1, {P, 0, false, false}},
        MessageCase{"edit set text is the edit's", Edit, 0, kWmSetText, 0, {P, 0, false, false}},
        MessageCase{"combo paint", Combo, 0, kWmPaint, 0, {P, 0, false, true}},
        MessageCase{"drop-down list paint", List, 0, kWmNcPaint, 0, {P, 0, false, true}},
        MessageCase{"group paint skips the group box's own painting", Group, 0, kWmPaint, 0, {D, 0, false, true}},
        MessageCase{"group non-client paint", Group, 0, kWmNcPaint, 0, {D, 0, false, true}},
        MessageCase{"group erase", Group, 0, kWmEraseBkgnd, 0, {P, 0, false, false}},
        MessageCase{"group set text is the group box's", Group, 0, kWmSetText, 0, {P, 0, false, false}},
        MessageCase{"up-down button down is its own", Spin, kHot, kWmLButtonDown, 1, {P, kHot, false, false}},
        MessageCase{"up-down paint is its own", Spin, 0, kWmPaint, 0, {P, 0, false, false}}));

INSTANTIATE_TEST_SUITE_P(
    EveryKind, DecideMessageTest,
    ::testing::Values(
        MessageCase{"focus", Push, kDefault, kWmSetFocus, 0, {P, kDefault | kFocused, false, true}},
        MessageCase{"focus lost", Edit, kFocused | kHot, kWmKillFocus, 0, {P, kHot, false, true}},
        MessageCase{"disabled", Group, 0, kWmEnable, 0, {P, kDisabled, false, true}},
        MessageCase{"enabled", Push, kDisabled | kDefault, kWmEnable, 1, {P, kDefault, false, true}},
        MessageCase{"pointer arrives", Push, 0, kWmMouseMove, 0, {P, kHot, true, true}},
        MessageCase{"pointer arrives on an up-down", Spin, 0, kWmMouseMove, 0, {P, kHot, true, true}},
        MessageCase{"pointer moves while hot", Push, kHot, kWmMouseMove, 0, {P, kHot, false, false}},
        MessageCase{"pointer arrives with the left button held", Push, 0, kWmMouseMove, kMkLButton, {P, 0, false, false}},
        MessageCase{"pointer leaves", Check, kHot | kChecked, kWmMouseLeave, 0, {P, kChecked, false, true}},
        MessageCase{"leave while not hot", Push, 0, kWmMouseLeave, 0, {P, 0, false, false}},
        MessageCase{"anything else", Push, kFocused, kWmLButtonDown, 1, {P, kFocused, false, false}},
        MessageCase{"create", Edit, 0, kWmCreate, 0, {P, 0, false, false}}));

}  // namespace
}  // namespace qsh::skin

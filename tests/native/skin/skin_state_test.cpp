#include "shell/skin/skin_state.h"

#include <gtest/gtest.h>

#include "shell/skin/skin_system_values.h"

namespace qsh::skin {
namespace {

using namespace state;

TEST(InitialStateTest, FollowsTheWindowAtTheMomentOfTakingOver) {
  struct Row {
    const char* label;
    ControlKind kind;
    InitialFacts facts;
    std::uint32_t expected;
  };
  for (const Row& row : {
           Row{"plain push button", ControlKind::PushButton, {kWsChild, false, 0}, 0},
           Row{"default push button", ControlKind::PushButton, {kWsChild | kBsDefPushButton, false, 0}, kDefault},
           Row{"disabled and focused", ControlKind::PushButton, {kWsChild | kWsDisabled, true, 0}, kDisabled | kFocused},
           Row{"checked push-like box", ControlKind::PushButton, {kBsAutoCheckBox | kBsPushLike, false, kBstChecked}, kChecked},
           Row{"indeterminate check box", ControlKind::CheckBox, {kBsAuto3State, false, kBstIndeterminate}, kIndeterminate},
           Row{"check box style is not default", ControlKind::CheckBox, {kBsCheckBox, false, 0}, 0},
           Row{"checked radio", ControlKind::RadioButton, {kBsAutoRadioButton, false, kBstChecked}, kChecked},
           Row{"read-only edit", ControlKind::EditBox, {kWsChild | kEsReadOnly, false, 0}, kReadOnly},
           // 0x800 is ES_READONLY for an edit but BS_BOTTOM for a button.
           Row{"bottom-aligned button is not read-only", ControlKind::PushButton, {kBsBottom, false, 0}, 0},
           Row{"group box ignores the check answer", ControlKind::GroupBox, {kBsGroupBox, false, kBstChecked}, 0},
           // 0x1 is BS_DEFPUSHBUTTON for a button but ES_CENTER for an edit.
           Row{"centred edit is not default", ControlKind::EditBox, {kWsChild | 0x1, true, 0}, kFocused},
       }) {
    EXPECT_EQ(InitialState(row.kind, row.facts), row.expected) << row.label;
  }
}

TEST(StateFlagsTest, BitsAreThoseOfTheRecord) {
  EXPECT_EQ(kDisabled, 1u);
  EXPECT_EQ(kPressed, 2u);
  EXPECT_EQ(kHot, 4u);
  EXPECT_EQ(kFocused, 16u);
  EXPECT_EQ(kDefault, 1u << 16);
  EXPECT_EQ(kChecked, 1u << 17);
  EXPECT_EQ(kIndeterminate, 1u << 18);
  EXPECT_EQ(kReadOnly, 1u << 28);
}

}  // namespace
}  // namespace qsh::skin

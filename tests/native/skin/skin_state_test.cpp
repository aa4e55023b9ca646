#include "shell/skin/skin_state.h"

#include <gtest/gtest.h>

#include "shell/skin/skin_system_values.h"

namespace qsh::skin {
namespace {

using namespace state;

TEST(InitialStateTest, FollowsTheWindowAtTheMomentOfTakingOver) {
  struct Row {
    const char* label;
    SkinKind kind;
    InitialFacts facts;
    std::uint32_t expected;
  };
  for (const Row& row : {
           Row{"plain push button", SkinKind::PushButton, {kWsChild, false, 0}, 0},
           Row{"default push button", SkinKind::PushButton, {kWsChild | kBsDefPushButton, false, 0}, kDefault},
           Row{"disabled and focused", SkinKind::PushButton, {kWsChild | kWsDisabled, true, 0}, kDisabled | kFocused},
           Row{"checked push-like box", SkinKind::PushButton, {kBsAutoCheckBox | kBsPushLike, false, kBstChecked}, kChecked},
           Row{"indeterminate check box", SkinKind::CheckBox, {kBsAuto3State, false, kBstIndeterminate}, kIndeterminate},
           Row{"check box style is not default", SkinKind::CheckBox, {kBsCheckBox, false, 0}, 0},
           Row{"checked radio", SkinKind::RadioButton, {kBsAutoRadioButton, false, kBstChecked}, kChecked},
           Row{"read-only edit", SkinKind::EditBox, {kWsChild | kEsReadOnly, false, 0}, kReadOnly},
           // 0x800 is ES_READONLY for an edit but BS_BOTTOM for a button.
           Row{"bottom-aligned button is not read-only", SkinKind::PushButton, {kBsBottom, false, 0}, 0},
           Row{"group box ignores the check answer", SkinKind::GroupBox, {kBsGroupBox, false, kBstChecked}, 0},
           // 0x1 is BS_DEFPUSHBUTTON for a button but ES_CENTER for an edit.
           Row{"centred edit is not default", SkinKind::EditBox, {kWsChild | 0x1, true, 0}, kFocused},
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

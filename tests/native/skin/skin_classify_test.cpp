#include "shell/skin/skin_classify.h"

#include <gtest/gtest.h>

#include <ostream>

#include "shell/skin/skin_system_values.h"

namespace qsh::skin {
namespace {

struct ClassifyCase {
  const char* label;
  const char* className;
  std::uint32_t style;
  const char* parentClassName;
  bool hasText;
  ControlKind expected;
};

std::ostream& operator<<(std::ostream& out, const ClassifyCase& c) { return out << c.label; }

constexpr std::uint32_t kVisible = 0x10000000;  // WS_VISIBLE
constexpr std::uint32_t kChild = kWsChild | kVisible;

class ClassifyWindowTest : public ::testing::TestWithParam<ClassifyCase> {};

TEST_P(ClassifyWindowTest, GivesTheKindForClassAndStyle) {
  const ClassifyCase& c = GetParam();
  EXPECT_EQ(ClassifyWindow(WindowFacts{c.className, c.style, c.parentClassName, c.hasText}), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Classes, ClassifyWindowTest,
    ::testing::Values(
        ClassifyCase{"push button", "Button", kChild | kBsPushButton, "#32770", true, ControlKind::PushButton},
        ClassifyCase{"default push button, upper case class", "BUTTON", kChild | kBsDefPushButton, "#32770",
                     true, ControlKind::PushButton},
        ClassifyCase{"bare tab-stop child without text", "button", kWsChild | kWsTabStop, "x", false,
                     ControlKind::None},
        ClassifyCase{"bare tab-stop child with text", "Button", kWsChild | kWsTabStop, "x", true,
                     ControlKind::PushButton},
        ClassifyCase{"tab-stop child, visible, without text", "Button", kWsChild | kWsTabStop | kVisible, "x",
                     false, ControlKind::PushButton},
        ClassifyCase{"default tab-stop child without text", "Button", kWsChild | kWsTabStop | kBsDefPushButton,
                     "x", false, ControlKind::PushButton},
        ClassifyCase{"check box", "Button", kChild | kBsCheckBox, "x", true, ControlKind::CheckBox},
        ClassifyCase{"auto check box", "Button", kChild | kBsAutoCheckBox, "x", true, ControlKind::CheckBox},
        ClassifyCase{"three-state", "Button", kChild | kBs3State, "x", true, ControlKind::CheckBox},
        ClassifyCase{"auto three-state", "Button", kChild | kBsAuto3State, "x", true, ControlKind::CheckBox},
        ClassifyCase{"push-like check box", "Button", kChild | kBsAutoCheckBox | kBsPushLike, "x", true,
                     ControlKind::PushButton},
        ClassifyCase{"radio button", "Button", kChild | kBsRadioButton, "x", true, ControlKind::RadioButton},
        ClassifyCase{"auto radio button", "Button", kChild | kBsAutoRadioButton, "x", true,
                     ControlKind::RadioButton},
        ClassifyCase{"push-like radio button", "Button", kChild | kBsRadioButton | kBsPushLike, "x", true,
                     ControlKind::PushButton},
        ClassifyCase{"group box", "Button", kWsChild | kBsGroupBox | kBsLeft, "x", true, ControlKind::GroupBox},
        ClassifyCase{"owner-drawn", "Button", kChild | kBsOwnerDraw, "x", true, ControlKind::None},
        ClassifyCase{"user button", "Button", kChild | kBsUserButton, "x", true, ControlKind::None},
        ClassifyCase{"push box", "Button", kChild | kBsPushBox, "x", true, ControlKind::None},
        ClassifyCase{"push button with bitmap", "Button", kChild | kBsBitmap, "x", true, ControlKind::None},
        ClassifyCase{"check box with bitmap", "Button", kChild | kBsAutoCheckBox | kBsBitmap, "x", true,
                     ControlKind::None},
        ClassifyCase{"command link", "Button", kChild | 0xC, "x", true, ControlKind::None},
        ClassifyCase{"split button", "Button", kChild | 0xE, "x", true, ControlKind::None},
        ClassifyCase{"edit box", "Edit", kChild, "#32770", false, ControlKind::EditBox},
        ClassifyCase{"edit box without parent", "EDIT", kChild, "", false, ControlKind::EditBox},
        ClassifyCase{"field of an IP address control", "Edit", kChild, "SysIPAddress32", false,
                     ControlKind::None},
        ClassifyCase{"field of an IP address control, lower case", "edit", kChild, "sysipaddress32", false,
                     ControlKind::None},
        ClassifyCase{"drop-down combo box", "ComboBox", kChild | 0x2, "x", false, ControlKind::ComboBox},
        ClassifyCase{"drop-down list combo box", "combobox", kChild | 0x3, "x", false, ControlKind::ComboBox},
        ClassifyCase{"simple combo box", "ComboBox", kChild | kCbsSimple, "x", false, ControlKind::None},
        ClassifyCase{"up-down", "msctls_updown32", kChild, "x", false, ControlKind::UpDown},
        ClassifyCase{"combo box list", "ComboLBox", kChild, "", false, ControlKind::DropDownList},
        ClassifyCase{"scroll bar", "ScrollBar", kChild, "x", false, ControlKind::Recognised},
        ClassifyCase{"month calendar", "SysMonthCal32", kChild, "x", false, ControlKind::Recognised},
        ClassifyCase{"tab control", "SysTabControl32", kChild, "x", false, ControlKind::Recognised},
        ClassifyCase{"progress bar", "msctls_progress32", kChild, "x", false, ControlKind::Recognised},
        ClassifyCase{"track bar", "MSCTLS_TRACKBAR32", kChild, "x", false, ControlKind::Recognised},
        ClassifyCase{"hotkey control", "msctls_hotkey32", kChild, "x", false, ControlKind::None},
        ClassifyCase{"IP address control", "SysIPAddress32", kChild, "x", false, ControlKind::None},
        ClassifyCase{"list box", "ListBox", kChild, "x", false, ControlKind::None},
        ClassifyCase{"list view", "SysListView32", kChild, "x", false, ControlKind::None},
        ClassifyCase{"tree view", "SysTreeView32", kChild, "x", false, ControlKind::None},
        ClassifyCase{"date picker", "SysDateTimePick32", kChild, "x", false, ControlKind::None},
        ClassifyCase{"static", "Static", kChild, "x", true, ControlKind::None},
        ClassifyCase{"dialog", "#32770", 0x80000000, "", true, ControlKind::None},
        ClassifyCase{"class of our own", "QshTransparentLabel", kChild, "x", true, ControlKind::None},
        ClassifyCase{"longer name", "Buttons", kChild, "x", true, ControlKind::None},
        ClassifyCase{"no name", "", kChild, "x", true, ControlKind::None}));

TEST(ControlKindTest, TheSkinTakesOverExactlyTheEightKinds) {
  struct Row {
    ControlKind kind;
    bool takenOver;
    bool button;
  };
  for (const Row& row : {Row{ControlKind::None, false, false}, Row{ControlKind::Recognised, false, false},
                         Row{ControlKind::PushButton, true, true}, Row{ControlKind::CheckBox, true, true},
                         Row{ControlKind::RadioButton, true, true}, Row{ControlKind::GroupBox, true, false},
                         Row{ControlKind::EditBox, true, false}, Row{ControlKind::ComboBox, true, false},
                         Row{ControlKind::UpDown, true, false}, Row{ControlKind::DropDownList, true, false}}) {
    EXPECT_EQ(IsTakenOver(row.kind), row.takenOver) << static_cast<int>(row.kind);
    EXPECT_EQ(IsButtonKind(row.kind), row.button) << static_cast<int>(row.kind);
  }
}

TEST(EqualsIgnoringCaseTest, ComparesAsciiLettersOnlyWithoutCase) {
  EXPECT_TRUE(EqualsIgnoringCase("ComboLBox", "COMBOLBOX"));
  EXPECT_TRUE(EqualsIgnoringCase("", ""));
  EXPECT_FALSE(EqualsIgnoringCase("Edit", "Edi"));
  EXPECT_FALSE(EqualsIgnoringCase("Edit", "Edjt"));
  EXPECT_FALSE(EqualsIgnoringCase("[", "{"));  // not letters: no case folding
}

}  // namespace
}  // namespace qsh::skin

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
  SkinKind expected;
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
        ClassifyCase{"push button", "Button", kChild | kBsPushButton, "#32770", true, SkinKind::PushButton},
        ClassifyCase{"default push button, upper case class", "BUTTON", kChild | kBsDefPushButton, "#32770",
                     true, SkinKind::PushButton},
        ClassifyCase{"bare tab-stop child without text", "button", kWsChild | kWsTabStop, "x", false,
                     SkinKind::None},
        ClassifyCase{"bare tab-stop child with text", "Button", kWsChild | kWsTabStop, "x", true,
                     SkinKind::PushButton},
        ClassifyCase{"tab-stop child, visible, without text", "Button", kWsChild | kWsTabStop | kVisible, "x",
                     false, SkinKind::PushButton},
        ClassifyCase{"default tab-stop child without text", "Button", kWsChild | kWsTabStop | kBsDefPushButton,
                     "x", false, SkinKind::PushButton},
        ClassifyCase{"check box", "Button", kChild | kBsCheckBox, "x", true, SkinKind::CheckBox},
        ClassifyCase{"auto check box", "Button", kChild | kBsAutoCheckBox, "x", true, SkinKind::CheckBox},
        ClassifyCase{"three-state", "Button", kChild | kBs3State, "x", true, SkinKind::CheckBox},
        ClassifyCase{"auto three-state", "Button", kChild | kBsAuto3State, "x", true, SkinKind::CheckBox},
        ClassifyCase{"push-like check box", "Button", kChild | kBsAutoCheckBox | kBsPushLike, "x", true,
                     SkinKind::PushButton},
        ClassifyCase{"radio button", "Button", kChild | kBsRadioButton, "x", true, SkinKind::RadioButton},
        ClassifyCase{"auto radio button", "Button", kChild | kBsAutoRadioButton, "x", true,
                     SkinKind::RadioButton},
        ClassifyCase{"push-like radio button", "Button", kChild | kBsRadioButton | kBsPushLike, "x", true,
                     SkinKind::PushButton},
        ClassifyCase{"group box", "Button", kWsChild | kBsGroupBox | kBsLeft, "x", true, SkinKind::GroupBox},
        ClassifyCase{"owner-drawn", "Button", kChild | kBsOwnerDraw, "x", true, SkinKind::None},
        ClassifyCase{"user button", "Button", kChild | kBsUserButton, "x", true, SkinKind::None},
        ClassifyCase{"push box", "Button", kChild | kBsPushBox, "x", true, SkinKind::None},
        ClassifyCase{"push button with bitmap", "Button", kChild | kBsBitmap, "x", true, SkinKind::None},
        ClassifyCase{"check box with bitmap", "Button", kChild | kBsAutoCheckBox | kBsBitmap, "x", true,
                     SkinKind::None},
        ClassifyCase{"command link", "Button", kChild | 0xC, "x", true, SkinKind::None},
        ClassifyCase{"split button", "Button", kChild | 0xE, "x", true, SkinKind::None},
        ClassifyCase{"edit box", "Edit", kChild, "#32770", false, SkinKind::EditBox},
        ClassifyCase{"edit box without parent", "EDIT", kChild, "", false, SkinKind::EditBox},
        ClassifyCase{"field of an IP address control", "Edit", kChild, "SysIPAddress32", false,
                     SkinKind::None},
        ClassifyCase{"field of an IP address control, lower case", "edit", kChild, "sysipaddress32", false,
                     SkinKind::None},
        ClassifyCase{"drop-down combo box", "ComboBox", kChild | 0x2, "x", false, SkinKind::ComboBox},
        ClassifyCase{"drop-down list combo box", "combobox", kChild | 0x3, "x", false, SkinKind::ComboBox},
        ClassifyCase{"simple combo box", "ComboBox", kChild | kCbsSimple, "x", false, SkinKind::None},
        ClassifyCase{"up-down", "msctls_updown32", kChild, "x", false, SkinKind::UpDown},
        ClassifyCase{"combo box list", "ComboLBox", kChild, "", false, SkinKind::DropDownList},
        ClassifyCase{"scroll bar", "ScrollBar", kChild, "x", false, SkinKind::Recognised},
        ClassifyCase{"month calendar", "SysMonthCal32", kChild, "x", false, SkinKind::Recognised},
        ClassifyCase{"tab control", "SysTabControl32", kChild, "x", false, SkinKind::Recognised},
        ClassifyCase{"progress bar", "msctls_progress32", kChild, "x", false, SkinKind::Recognised},
        ClassifyCase{"track bar", "MSCTLS_TRACKBAR32", kChild, "x", false, SkinKind::Recognised},
        ClassifyCase{"hotkey control", "msctls_hotkey32", kChild, "x", false, SkinKind::None},
        ClassifyCase{"IP address control", "SysIPAddress32", kChild, "x", false, SkinKind::None},
        ClassifyCase{"list box", "ListBox", kChild, "x", false, SkinKind::None},
        ClassifyCase{"list view", "SysListView32", kChild, "x", false, SkinKind::None},
        ClassifyCase{"tree view", "SysTreeView32", kChild, "x", false, SkinKind::None},
        ClassifyCase{"date picker", "SysDateTimePick32", kChild, "x", false, SkinKind::None},
        ClassifyCase{"static", "Static", kChild, "x", true, SkinKind::None},
        ClassifyCase{"dialog", "#32770", 0x80000000, "", true, SkinKind::None},
        ClassifyCase{"class of our own", "QshTransparentLabel", kChild, "x", true, SkinKind::None},
        ClassifyCase{"longer name", "Buttons", kChild, "x", true, SkinKind::None},
        ClassifyCase{"no name", "", kChild, "x", true, SkinKind::None}));

TEST(ControlKindTest, TheSkinTakesOverExactlyTheEightKinds) {
  struct Row {
    SkinKind kind;
    bool takenOver;
    bool button;
  };
  for (const Row& row : {Row{SkinKind::None, false, false}, Row{SkinKind::Recognised, false, false},
                         Row{SkinKind::PushButton, true, true}, Row{SkinKind::CheckBox, true, true},
                         Row{SkinKind::RadioButton, true, true}, Row{SkinKind::GroupBox, true, false},
                         Row{SkinKind::EditBox, true, false}, Row{SkinKind::ComboBox, true, false},
                         Row{SkinKind::UpDown, true, false}, Row{SkinKind::DropDownList, true, false}}) {
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

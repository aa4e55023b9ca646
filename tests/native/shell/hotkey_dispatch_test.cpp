#include "shell/hotkey_dispatch.h"

#include <gtest/gtest.h>

namespace qsh {
namespace {

TEST(HotkeyIds, AttemptsCountFrom33001) {
  EXPECT_EQ(HotkeyIdForAttempt(1), 33001);
  EXPECT_EQ(HotkeyIdForAttempt(2), 33002);
}

TEST(HotkeyRelayDecision, RelaysExactlyTheIssuedIds) {
  struct Case {
    HotkeyId id;
    HotkeyId lastIssued;
    bool relayed;
  };
  const Case cases[] = {
      {33001, 33002, true},  {33002, 33002, true},  {33003, 33002, false},
      {33000, 33002, false}, {0, 33002, false},     {-33001, 33002, false},
      {33001, 33000, false},  // nothing issued yet
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsRelayedHotkeyId(c.id, c.lastIssued), c.relayed)
        << "id " << c.id << ", last issued " << c.lastIssued;
  }
}

TEST(HotkeyModifiers, CodesMapToRegisterHotKeyFlags) {
  const std::pair<std::int32_t, std::uint32_t> table[] = {
      {0, 0}, {1, 2}, {2, 4}, {3, 6}, {4, 1}, {5, 3}, {6, 5}, {7, 7}, {8, 8}, {0x4000, 0x4000}};
  for (const auto& [code, flags] : table) EXPECT_EQ(HotkeyModifierFlags(code), flags) << code;
}

TEST(HotkeyOperationChoice, TestsBackupAndRestoreIndependently) {
  struct Case {
    const char* what;
    HotkeyId pressed, backupId, restoreId;
    HotkeyOperations expected;
  };
  const Case cases[] = {
      {"F9 in a normal start", 33001, 33001, 33002, {true, false}},
      {"F10 in a normal start", 33002, 33001, 33002, {false, true}},
      {"F10 while F9 is held elsewhere", 33002, 0, 33002, {false, true}},
      {"an id nobody holds", 33003, 33001, 33002, {false, false}},
      {"both refused, id 0 selects both", 0, 0, 0, {true, true}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SelectHotkeyOperations(c.pressed, c.backupId, c.restoreId), c.expected) << c.what;
}

}  // namespace
}  // namespace qsh

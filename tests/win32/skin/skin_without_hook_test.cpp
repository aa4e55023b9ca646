// The skin switched on while the system refuses its hook: the controls that
// exist are taken over, later ones are not, and switching off then finds no
// hook, returns 0 and gives nothing back.
#include <gtest/gtest.h>

#include "shell/skin/control_skin.h"
#include "shell/skin/control_skin_testing.h"
#include "tests/win32/skin/import_patch.h"
#include "tests/win32/skin/test_window.h"

namespace qsh::skin {
namespace {

HHOOK WINAPI RefuseHook(int, HOOKPROC, HINSTANCE, DWORD) {
  ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return nullptr;
}

LONG ProcedureOf(HWND window) { return ::GetWindowLongA(window, GWL_WNDPROC); }

TEST(SkinWithoutHookTest, SwitchingOffWithoutAHookReturns0AndGivesNothingBack) {
  ASSERT_FALSE(SkinHookInstalled()) << "a test before left the skin on";
  ASSERT_EQ(SkinRecordCount(), 0u);
  testing::NestedControls layout = testing::CreateNestedControls(true);
  const LONG original = ProcedureOf(layout.groupBox1);
  {
    const testing::ImportPatch refused("user32.dll", "SetWindowsHookExW",
                                       reinterpret_cast<void*>(&RefuseHook));
    ASSERT_TRUE(refused.active()) << "this test program does not import SetWindowsHookExW";
    EXPECT_EQ(SetSkinScheme(2), 1) << "on, though without its hook";
  }
  ASSERT_FALSE(SkinHookInstalled());
  ASSERT_EQ(SkinRecordCount(), 4u);
  HWND later = testing::CreateControl(layout.host.get(), "BUTTON", "later", WS_CHILD, 0, 0, 0, 40, 20);
  EXPECT_FALSE(IsSkinned(later)) << "without the hook a later control keeps its own look";

  EXPECT_EQ(SetSkinScheme(0), 0);
  EXPECT_EQ(SkinRecordCount(), 4u) << "switching off without a hook gave something back";
  EXPECT_TRUE(IsSkinned(layout.groupBox1));
  EXPECT_NE(ProcedureOf(layout.groupBox1), original);
  EXPECT_TRUE(IsSkinned(layout.hiddenEdit));

  // With its hook the skin goes on and off as usual, and gives everything back.
  EXPECT_EQ(SetSkinScheme(2), 1);
  EXPECT_TRUE(SkinHookInstalled());
  EXPECT_EQ(SkinRecordCount(), 5u) << "the four, one record each, and the later button";
  EXPECT_TRUE(IsSkinned(later));
  EXPECT_NE(SetSkinScheme(0), 0);
  EXPECT_EQ(SkinRecordCount(), 0u);
  EXPECT_EQ(ProcedureOf(layout.groupBox1), original);
}

}  // namespace
}  // namespace qsh::skin

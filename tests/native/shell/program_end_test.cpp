#include "shell/program_end.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace qsh {
namespace {

TEST(ProgramEndTest, TheMainWindowsDestructionPostsTheQuitMessageOnlyOnceTheLoopRuns) {
  EXPECT_FALSE(PostsQuitOnDestroy(false)) << "during start-up: the fatal box must stay open";
  EXPECT_TRUE(PostsQuitOnDestroy(true)) << "the user closed the window: the loop ends";
}

TEST(ProgramEndTest, ExitCodes) {
  struct Case {
    const char* what;
    int lastGetMessageResult;
    std::uintptr_t quitCode;
    std::int32_t expected;
  };
  const Case cases[] = {
      {"the quit message of the closed window", 0, 0, 0},
      {"a quit message with another code", 0, 7, 7},
      {"GetMessage failed", -1, 0, 0},
      {"GetMessage failed, whatever the last message held", -1, 12345, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ExitCodeAfterLoop(c.lastGetMessageResult, c.quitCode), c.expected) << c.what;
  EXPECT_EQ(kExitWindowNotCreated, -1);
}

}  // namespace
}  // namespace qsh

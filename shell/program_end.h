#pragma once
// How the program's life ends, as plain decisions: when the main window's
// destruction ends the message loop, and which exit code an end gives.

#include <cstdint>

namespace qsh {

// The one exit code that is not 0: the main window could not be created.
inline constexpr std::int32_t kExitWindowNotCreated = -1;

// The main window is being destroyed. Only once the message loop runs does
// that post the quit message. During start-up (a control that cannot be
// made takes the window down with it) the quit message would reach the
// modal loop of the fatal start-up box instead, which would then close by
// itself before the user has read it.
constexpr bool PostsQuitOnDestroy(bool messageLoopRunning) { return messageLoopRunning; }

// The exit code once the message loop is over, from GetMessage's last
// result: the quit message's code when it returned 0. A failing GetMessage
// also ends the loop, as an ordinary end with 0.
constexpr std::int32_t ExitCodeAfterLoop(int lastGetMessageResult, std::uintptr_t quitCode) {
  return lastGetMessageResult == 0 ? static_cast<std::int32_t>(quitCode) : 0;
}

}  // namespace qsh

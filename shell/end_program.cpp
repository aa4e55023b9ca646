#include "shell/end_program.h"

#include <windows.h>
#include <ole2.h>

#include "shell/main_window.h"

namespace qsh {

void ReleaseStartupResources() {
  ReleaseMainWindowResources();
  ::OleUninitialize();
}

void EndProgram(std::int32_t exitCode) {
  ReleaseStartupResources();
  // The hotkeys and the relay are left to the system, which releases them
  // with the process.
  ::ExitProcess(static_cast<UINT>(exitCode));
}

}  // namespace qsh

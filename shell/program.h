#pragma once
// What the program keeps for its whole run, in one place: the run
// directory, the file services, the main window, the hotkey relay and the
// two hotkey ids that start-up stores.

#include <string>

#include "saveset/win32/win32_file_services.h"
#include "shell/hotkey_dispatch.h"
#include "shell/hotkey_relay.h"
#include "shell/main_window.h"

namespace qsh {

struct Program {
  std::wstring runDirectory;
  Win32FileServices files;
  MainWindow window;
  HotkeyRelay relay;  // after the window: the relay sits in front of it
  HotkeyId backupHotkeyId = 0;
  HotkeyId restoreHotkeyId = 0;
};

// The program's one instance; the event handlers of the window description
// reach it here.
Program& TheProgram();

// The clean-up of every end of the program: what start-up acquired, OLE last.
void ReleaseStartupResources();

// Runs the clean-up and ends the process at once with the exit code.
[[noreturn]] void EndProgram(std::int32_t exitCode);

// The program's message: no owner, caption "信息：", one OK button,
// task-modal. Returns when the user dismisses it.
void ShowMessage(const std::string& text);

}  // namespace qsh

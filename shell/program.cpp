// The start-up steps of the created event, and the hotkeys' feedback.
#include "shell/program.h"

#include <windows.h>

#include "saveset/save_operations.h"
#include "saveset/win32/win32_file_services.h"
#include "shell/end_program.h"
#include "shell/event_handlers.h"
#include "shell/hotkey_relay.h"
#include "shell/main_window.h"
#include "shell/message_box.h"
#include "shell/skin/control_skin.h"

namespace qsh {

HotkeyId BackupHotkeyId = 0;
HotkeyId RestoreHotkeyId = 0;

namespace {

std::wstring runDirectoryOfProcess;
Win32FileServices fileServices;

constexpr std::int32_t kNoModifier = 0;

}  // namespace

void SetRunDirectory(std::wstring runDirectory) { runDirectoryOfProcess = std::move(runDirectory); }
std::wstring RunDirectory() { return runDirectoryOfProcess; }

void OnMainWindowCreated() {
  // First, so that every control, and every message box from now on, wears it.
  skin::SetSkinScheme(2);
  if (!RunLocationCheck(fileServices, RunDirectory())) {
    ShowMessage("运行位置不对！");
    EndProgram(0);
  }
  BackupHotkeyId =
      RegisterGlobalHotkey(MainWindowHandle(), ControlHandle("标签1"), kNoModifier, VK_F9);
  RestoreHotkeyId =
      RegisterGlobalHotkey(MainWindowHandle(), ControlHandle("标签1"), kNoModifier, VK_F10);
}

void OnHotkeyFeedback(std::int32_t first, std::int32_t /*second*/) {
  const HotkeyOperations selected = SelectHotkeyOperations(first, BackupHotkeyId, RestoreHotkeyId);
  if (selected.backup) BackupSaveSet(fileServices, RunDirectory());
  if (selected.restore) RestoreSaveSet(fileServices, RunDirectory());
}

}  // namespace qsh

#pragma once
// What the program keeps for its whole run: the run directory, and the two
// hotkey ids that start-up stores.

#include <string>

#include "shell/hotkey_dispatch.h"

namespace qsh {

void SetRunDirectory(std::wstring runDirectory);
// A fresh copy each time.
std::wstring RunDirectory();

extern HotkeyId BackupHotkeyId;
extern HotkeyId RestoreHotkeyId;

}  // namespace qsh

#pragma once
// The run-location test and the two copy operations behind F9 and F10.

#include <string_view>

#include "saveset/file_services.h"

namespace qsh {

// True exactly when the primary save (a file or folder of that name) is in
// the run directory.
[[nodiscard]] bool RunLocationCheck(FileServices& files, std::wstring_view runDirectory);

// F9: creates Savecopy (its result is not needed), then copies each live
// file that exists over its copy, in save-set order. Silent.
void BackupSaveSet(FileServices& files, std::wstring_view runDirectory);

// F10: copies each entry that has a copy back over its live file, in
// save-set order. Savecopy and its copies stay as they are. Silent.
void RestoreSaveSet(FileServices& files, std::wstring_view runDirectory);

}  // namespace qsh

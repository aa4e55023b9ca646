#pragma once
// The four save files of the game, their copies in Savecopy, and their paths.
//
// Paths are wide strings: UTF-16 code units as Windows gives and takes them,
// so that every folder name the file system can hold is kept exactly, in
// any language and at any length.

#include <array>
#include <string>
#include <string_view>

namespace qsh {

struct SaveSetEntry {
  std::wstring_view fileName;
  std::wstring_view liveTail;    // "\<file>", joined to the run directory
  std::wstring_view backupTail;  // "\Savecopy\<file>"
};

// In the order in which backup and restore treat them; the first is the
// primary save, whose presence marks a save folder.
inline constexpr std::array<SaveSetEntry, 4> kSaveSet{{
    {L"GameSave_Slot0.sav", L"\\GameSave_Slot0.sav", L"\\Savecopy\\GameSave_Slot0.sav"},
    {L"GameSave_Slot0_Backup.sav", L"\\GameSave_Slot0_Backup.sav",
     L"\\Savecopy\\GameSave_Slot0_Backup.sav"},
    {L"Settings.sav", L"\\Settings.sav", L"\\Savecopy\\Settings.sav"},
    {L"Settings_Backup.sav", L"\\Settings_Backup.sav", L"\\Savecopy\\Settings_Backup.sav"},
}};

inline constexpr const SaveSetEntry& kPrimarySave = kSaveSet[0];
inline constexpr std::wstring_view kBackupFolderTail = L"\\Savecopy";

// The run directory (no trailing backslash) followed by a tail that starts
// with one backslash. An empty run directory leaves the tail alone.
std::wstring ComposePath(std::wstring_view runDirectory, std::wstring_view tail);

inline std::wstring LivePath(std::wstring_view runDirectory, const SaveSetEntry& entry) {
  return ComposePath(runDirectory, entry.liveTail);
}
inline std::wstring BackupPath(std::wstring_view runDirectory, const SaveSetEntry& entry) {
  return ComposePath(runDirectory, entry.backupTail);
}
inline std::wstring BackupFolderPath(std::wstring_view runDirectory) {
  return ComposePath(runDirectory, kBackupFolderTail);
}

}  // namespace qsh

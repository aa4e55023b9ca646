#pragma once
// The four save files of the game, their copies in Savecopy, and their paths.

#include <array>
#include <string>
#include <string_view>

namespace qsh {

struct SaveSetEntry {
  std::string_view fileName;
  std::string_view liveTail;    // "\<file>", joined to the run directory
  std::string_view backupTail;  // "\Savecopy\<file>"
};

// In the order in which backup and restore treat them; the first is the
// primary save, whose presence marks a save folder.
inline constexpr std::array<SaveSetEntry, 4> kSaveSet{{
    {"GameSave_Slot0.sav", "\\GameSave_Slot0.sav", "\\Savecopy\\GameSave_Slot0.sav"},
    {"GameSave_Slot0_Backup.sav", "\\GameSave_Slot0_Backup.sav",
     "\\Savecopy\\GameSave_Slot0_Backup.sav"},
    {"Settings.sav", "\\Settings.sav", "\\Savecopy\\Settings.sav"},
    {"Settings_Backup.sav", "\\Settings_Backup.sav", "\\Savecopy\\Settings_Backup.sav"},
}};

inline constexpr const SaveSetEntry& kPrimarySave = kSaveSet[0];
inline constexpr std::string_view kBackupFolderTail = "\\Savecopy";

// The run directory (no trailing backslash) followed by a tail that starts
// with one backslash. An empty run directory leaves the tail alone.
std::string ComposePath(std::string_view runDirectory, std::string_view tail);

inline std::string LivePath(std::string_view runDirectory, const SaveSetEntry& entry) {
  return ComposePath(runDirectory, entry.liveTail);
}
inline std::string BackupPath(std::string_view runDirectory, const SaveSetEntry& entry) {
  return ComposePath(runDirectory, entry.backupTail);
}
inline std::string BackupFolderPath(std::string_view runDirectory) {
  return ComposePath(runDirectory, kBackupFolderTail);
}

}  // namespace qsh

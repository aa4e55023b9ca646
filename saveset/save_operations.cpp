#include "saveset/save_operations.h"

#include "saveset/save_set.h"

namespace qsh {

bool RunLocationCheck(FileServices& files, std::string_view runDirectory) {
  return files.FileExists(LivePath(runDirectory, kPrimarySave));
}

void BackupSaveSet(FileServices& files, std::string_view runDirectory) {
  // Fails harmlessly when the folder is already there.
  files.CreateFolder(BackupFolderPath(runDirectory));
  for (const SaveSetEntry& entry : kSaveSet) {
    const std::string live = LivePath(runDirectory, entry);
    if (!files.FileExists(live)) continue;  // an earlier copy stays
    // A hidden or read-only copy is left as it is, as a plain copy would.
    files.CopyOver(live, BackupPath(runDirectory, entry), HiddenTarget::Refuse);
  }
}

void RestoreSaveSet(FileServices& files, std::string_view runDirectory) {
  for (const SaveSetEntry& entry : kSaveSet) {
    const std::string backup = BackupPath(runDirectory, entry);
    if (!files.FileExists(backup)) continue;  // the live file stays
    // The live file is replaced in one step rather than removed first, so a
    // copy that fails leaves it whole. A hidden live file is replaced (it
    // could be removed); a read-only one is kept (it could not).
    files.CopyOver(backup, LivePath(runDirectory, entry), HiddenTarget::Replace);
  }
}

}  // namespace qsh

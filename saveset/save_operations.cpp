#include "saveset/save_operations.h"

#include "saveset/save_set.h"

namespace qsh {
namespace {

// Whatever a killed run left unfinished beside any target, in the save
// folder or in Savecopy, goes at the next press of either key.
void DiscardUnfinishedCopies(FileServices& files, std::wstring_view runDirectory) {
  for (const SaveSetEntry& entry : kSaveSet) {
    files.DiscardUnfinishedCopy(LivePath(runDirectory, entry));
    files.DiscardUnfinishedCopy(BackupPath(runDirectory, entry));
  }
}

}  // namespace

bool RunLocationCheck(FileServices& files, std::wstring_view runDirectory) {
  return files.FileExists(LivePath(runDirectory, kPrimarySave));
}

void BackupSaveSet(FileServices& files, std::wstring_view runDirectory) {
  DiscardUnfinishedCopies(files, runDirectory);
  // Fails harmlessly when the folder is already there.
  files.CreateFolder(BackupFolderPath(runDirectory));
  for (const SaveSetEntry& entry : kSaveSet) {
    const std::wstring live = LivePath(runDirectory, entry);
    if (!files.FileExists(live)) continue;  // an earlier copy stays
    // A hidden or read-only copy is left as it is, as a plain copy would;
    // so is a copy that another program holds open: a snapshot is only
    // ever replaced whole.
    files.CopyOver(live, BackupPath(runDirectory, entry),
                   {HiddenTarget::Refuse, HeldTarget::Keep});
  }
  // Once for the whole snapshot, after its last copy.
  files.FlushFolder(BackupFolderPath(runDirectory));
}

void RestoreSaveSet(FileServices& files, std::wstring_view runDirectory) {
  DiscardUnfinishedCopies(files, runDirectory);
  for (const SaveSetEntry& entry : kSaveSet) {
    const std::wstring backup = BackupPath(runDirectory, entry);
    if (!files.FileExists(backup)) continue;  // the live file stays
    // The live file is replaced in one step rather than removed first, so a
    // copy that fails leaves it whole. A hidden live file is replaced (it
    // could be removed); a read-only one is kept (it could not). A live file
    // that the game keeps open, sharing writes, is written in place, as a
    // plain copy onto it would.
    files.CopyOver(backup, LivePath(runDirectory, entry),
                   {HiddenTarget::Replace, HeldTarget::OverwriteInPlace});
  }
  files.FlushFolder(std::wstring(runDirectory));
}

}  // namespace qsh

#include "saveset/win32/win32_file_services.h"

#include <windows.h>

#include "platform/kernel_handles.h"
#include "saveset/extended_path.h"
#include "saveset/win32/staged_copy.h"

namespace qsh {
namespace {

// Windows refuses to copy over a read-only target, and over a hidden or
// system one unless it is removed first. Wine (and root on Linux) would let
// all of these through, so the rule is ours, not the platform's.
bool TargetMayBeReplaced(const std::wstring& target, HiddenTarget hiddenTarget) {
  const DWORD attributes = ::GetFileAttributesW(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return true;  // nothing there yet
  if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) return false;
  if (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
    return hiddenTarget == HiddenTarget::Replace;
  return true;
}

}  // namespace

bool Win32FileServices::FileExists(const std::wstring& path) {
  WIN32_FIND_DATAW found{};
  const UniqueFind search(::FindFirstFileW(ExtendedLengthPath(path).c_str(), &found));
  return search.valid();
}

bool Win32FileServices::CreateFolder(const std::wstring& path) {
  return ::CreateDirectoryW(ExtendedLengthPath(path).c_str(), nullptr) != FALSE;
}

bool Win32FileServices::RemoveFile(const std::wstring& path) {
  return ::DeleteFileW(ExtendedLengthPath(path).c_str()) != FALSE;
}

// A rename is durable once its folder is flushed: Wine then syncs the folder
// on disk, NTFS writes its metadata through.
void Win32FileServices::FlushFolder(const std::wstring& folder) {
  if (folder.empty()) return;  // no run directory: nothing to name it by
  // "C:" would be the drive's current folder; "C:\" is its root.
  const std::wstring named = folder.back() == L':' ? folder + L'\\' : folder;
  const UniqueFile handle(::CreateFileW(ExtendedLengthPath(named).c_str(), GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                        nullptr));
  if (handle) ::FlushFileBuffers(handle.get());
}

void Win32FileServices::DiscardUnfinishedCopy(const std::wstring& target) {
  DiscardFile(StagedPathFor(ExtendedLengthPath(target)), retry_);
}

// The copy is staged beside the target, flushed, and then renamed over the
// target in one step, so that the target holds either its old content or
// the whole new one, whatever happens part-way (disk full, the process
// killed, the source written meanwhile). No staged file outlives a call.
// The rename becomes durable with FlushFolder, once per operation.
bool Win32FileServices::CopyOver(const std::wstring& source, const std::wstring& target,
                                 CopyRules rules) {
  const std::wstring to = ExtendedLengthPath(target);
  if (!TargetMayBeReplaced(to, rules.hiddenTarget)) return false;

  const std::wstring staged = StagedPathFor(to);
  DiscardFile(staged, retry_);
  const bool copied = WriteStagedCopy(ExtendedLengthPath(source), staged) &&
                      ReplaceWithStaged(staged, to, rules.heldTarget, retry_);
  DiscardFile(staged, retry_);  // still there unless it was renamed
  return copied;
}

}  // namespace qsh

#include "saveset/win32/win32_file_services.h"

#include <windows.h>

#include <memory>
#include <new>

#include "platform/kernel_handles.h"

namespace qsh {
namespace {

constexpr DWORD kCopiedAttributes =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

// Windows refuses to copy over a read-only target, and over a hidden or
// system one unless it is removed first. Wine (and root on Linux) would let
// all of these through, so the rule is ours, not the platform's.
bool TargetMayBeReplaced(const std::string& target, HiddenTarget hiddenTarget) {
  const DWORD attributes = ::GetFileAttributesA(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return true;  // nothing there yet
  if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) return false;
  if (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
    return hiddenTarget == HiddenTarget::Replace;
  return true;
}

void DiscardStagedFile(const std::string& staged) {
  ::SetFileAttributesA(staged.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::DeleteFileA(staged.c_str());
}

constexpr DWORD kCopyChunk = 1 << 20;

bool CopyContent(HANDLE from, HANDLE to) {
  const std::unique_ptr<char[]> buffer(new (std::nothrow) char[kCopyChunk]);
  if (!buffer) return false;
  for (;;) {
    DWORD read = 0;
    if (!::ReadFile(from, buffer.get(), kCopyChunk, &read, nullptr)) return false;
    if (read == 0) return true;
    DWORD written = 0;
    if (!::WriteFile(to, buffer.get(), read, &written, nullptr) || written != read) return false;
  }
}

// Writes the whole source into the staging file and makes it durable. The
// staging file then carries the source's last-write time.
bool WriteStagedCopy(HANDLE source, const std::string& staged, DWORD& sourceAttributes) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(source, &info)) return false;
  sourceAttributes = info.dwFileAttributes;

  UniqueFile stagedFile(::CreateFileA(staged.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!stagedFile) return false;
  if (!CopyContent(source, stagedFile.get())) return false;
  if (!::SetFileTime(stagedFile.get(), nullptr, nullptr, &info.ftLastWriteTime)) return false;
  if (!::FlushFileBuffers(stagedFile.get())) return false;
  return ::CloseHandle(stagedFile.release()) != FALSE;
}

}  // namespace

std::string StagingPathFor(const std::string& target) { return target + ".qsh-staging"; }

bool Win32FileServices::FileExists(const std::string& path) {
  WIN32_FIND_DATAA found{};
  const UniqueFind search(::FindFirstFileA(path.c_str(), &found));
  return search.valid();
}

bool Win32FileServices::CreateFolder(const std::string& path) {
  return ::CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

bool Win32FileServices::RemoveFile(const std::string& path) {
  return ::DeleteFileA(path.c_str()) != FALSE;
}

// The copy is staged beside the target, flushed, and then renamed over the
// target in one step, so that the target holds either its old content or the
// whole new one, whatever happens part-way (disk full, the process killed).
bool Win32FileServices::CopyOver(const std::string& source, const std::string& target,
                                 HiddenTarget hiddenTarget) {
  if (!TargetMayBeReplaced(target, hiddenTarget)) return false;

  // Like CopyFileA: a source that another process holds open for writing, or
  // without sharing, is refused rather than copied half-written.
  const UniqueFile sourceFile(::CreateFileA(source.c_str(), GENERIC_READ,
                                            FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!sourceFile) return false;

  const std::string staged = StagingPathFor(target);
  DiscardStagedFile(staged);  // left over from a run that was killed
  DWORD sourceAttributes = 0;
  if (!WriteStagedCopy(sourceFile.get(), staged, sourceAttributes)) {
    DiscardStagedFile(staged);
    return false;
  }
  const DWORD copied = sourceAttributes & kCopiedAttributes;
  if (!::SetFileAttributesA(staged.c_str(), copied ? copied : FILE_ATTRIBUTE_NORMAL) ||
      !::MoveFileExA(staged.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DiscardStagedFile(staged);
    return false;
  }
  return true;
}

}  // namespace qsh

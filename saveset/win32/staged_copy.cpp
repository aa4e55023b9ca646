#include "saveset/win32/staged_copy.h"

#include <windows.h>

#include "platform/kernel_handles.h"
#include "saveset/win32/file_content.h"

namespace qsh {
namespace {

constexpr DWORD kCopiedAttributes =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

DWORD CopiedAttributes(DWORD sourceAttributes) {
  const DWORD copied = sourceAttributes & kCopiedAttributes;
  return copied ? copied : FILE_ATTRIBUTE_NORMAL;
}

// The target opened for writing when another program holds it open in a
// way that forbids replacing or removing it but shares writing; otherwise
// no handle (nobody holds it so, or writing is not shared either).
UniqueFile OpenIfHeldSharingWrites(const std::wstring& target) {
  {
    const UniqueFile forRemoval(
        ::CreateFileW(target.c_str(), DELETE, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
    if (forRemoval || ::GetLastError() != ERROR_SHARING_VIOLATION) return UniqueFile();
  }
  return UniqueFile(::CreateFileW(target.c_str(), GENERIC_WRITE, kShareAll, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
}

// What a plain copy onto a held file does, from a complete staged copy.
// The target grows to its new size before any byte is written, so that a
// disk without room refuses the copy while the target is still whole.
bool OverwriteInPlace(const std::wstring& staged, const std::wstring& target, HANDLE live) {
  const UniqueFile from(::CreateFileW(staged.c_str(), GENERIC_READ, kShareAll, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!from) return false;
  const auto copy = StampOf(from.get());
  const auto old = StampOf(live);
  if (!copy || !old) return false;
  if (copy->size > old->size && !SetFileSize(live, copy->size)) return false;
  LARGE_INTEGER start{};
  ULONGLONG written = 0;
  if (!::SetFilePointerEx(live, start, nullptr, FILE_BEGIN) ||
      !CopyToEnd(from.get(), live, written) || written != copy->size ||
      !::SetEndOfFile(live) || !::SetFileTime(live, nullptr, nullptr, &copy->lastWrite) ||
      !::FlushFileBuffers(live))
    return false;
  return ::SetFileAttributesW(target.c_str(), CopiedAttributes(copy->attributes)) != FALSE;
}

}  // namespace

std::wstring StagedPathFor(const std::wstring& target) { return target + L".qsh-staging"; }

bool WriteStagedCopy(const std::wstring& source, const std::wstring& staged) {
  // Shares everything, as a plain copy does: a game may keep its save open
  // for writing, and the change check below catches a copy it tore.
  const UniqueFile from(::CreateFileW(source.c_str(), GENERIC_READ, kShareAll, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!from) return false;
  const auto before = StampOf(from.get());
  if (!before) return false;

  UniqueFile to(::CreateFileW(staged.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!to) return false;
  ULONGLONG copied = 0;
  if (!CopyToEnd(from.get(), to.get(), copied)) return false;
  const auto after = StampOf(from.get());
  if (!after || !after->SameContentAs(*before) || copied != before->size) return false;

  if (!::SetFileTime(to.get(), nullptr, nullptr, &before->lastWrite) ||
      !::FlushFileBuffers(to.get()) || !::CloseHandle(to.release()))
    return false;
  return ::SetFileAttributesW(staged.c_str(), CopiedAttributes(before->attributes)) != FALSE;
}

bool ReplaceWithStaged(const std::wstring& staged, const std::wstring& target,
                       HeldTarget heldTarget, const BusyRetry& retry) {
  return RetryWhileBusy(
      retry,
      [&] {
        return ::MoveFileExW(staged.c_str(), target.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
      },
      [&](bool& answer) {
        if (heldTarget != HeldTarget::OverwriteInPlace) return false;
        const UniqueFile live = OpenIfHeldSharingWrites(target);
        if (!live) return false;  // held some other way: wait for it
        answer = OverwriteInPlace(staged, target, live.get());
        return true;
      });
}

void DiscardFile(const std::wstring& path, const BusyRetry& retry) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
  ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  RetryWhileBusy(
      retry, [&] { return ::DeleteFileW(path.c_str()) != FALSE; },
      [](bool&) { return false; });
}

}  // namespace qsh

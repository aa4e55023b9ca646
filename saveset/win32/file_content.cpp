#include "saveset/win32/file_content.h"

#include <memory>
#include <new>

namespace qsh {
namespace {

constexpr DWORD kCopyChunk = 1 << 20;

}  // namespace

bool ContentStamp::SameContentAs(const ContentStamp& other) const {
  return size == other.size && ::CompareFileTime(&lastWrite, &other.lastWrite) == 0;
}

std::optional<ContentStamp> StampOf(HANDLE file) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(file, &info)) return std::nullopt;
  ContentStamp stamp;
  stamp.size = (static_cast<ULONGLONG>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  stamp.lastWrite = info.ftLastWriteTime;
  stamp.attributes = info.dwFileAttributes;
  return stamp;
}

bool CopyToEnd(HANDLE from, HANDLE to, ULONGLONG& copied) {
  copied = 0;
  const std::unique_ptr<char[]> buffer(new (std::nothrow) char[kCopyChunk]);
  if (!buffer) return false;
  for (;;) {
    DWORD read = 0;
    if (!::ReadFile(from, buffer.get(), kCopyChunk, &read, nullptr)) return false;
    if (read == 0) return true;
    DWORD written = 0;
    if (!::WriteFile(to, buffer.get(), read, &written, nullptr) || written != read) return false;
    copied += read;
  }
}

bool SetFileSize(HANDLE file, ULONGLONG size) {
  LARGE_INTEGER position{};
  position.QuadPart = static_cast<LONGLONG>(size);
  return ::SetFilePointerEx(file, position, nullptr, FILE_BEGIN) && ::SetEndOfFile(file);
}

}  // namespace qsh

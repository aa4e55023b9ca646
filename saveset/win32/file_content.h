#pragma once
// Reading and writing whole files through open handles, for the copies.

#include <windows.h>

#include <optional>

namespace qsh {

// What tells one version of a file's content from another without reading it.
struct ContentStamp {
  ULONGLONG size = 0;
  FILETIME lastWrite{};
  DWORD attributes = 0;

  // Same size and last-write time: nobody wrote to the file in between.
  [[nodiscard]] bool SameContentAs(const ContentStamp& other) const;
};

[[nodiscard]] std::optional<ContentStamp> StampOf(HANDLE file);

// Copies from the current position of `from` to its end into `to`; the
// number of bytes copied goes to `copied`.
[[nodiscard]] bool CopyToEnd(HANDLE from, HANDLE to, ULONGLONG& copied);

// Ends the file at `size` bytes.
[[nodiscard]] bool SetFileSize(HANDLE file, ULONGLONG size);

}  // namespace qsh

#pragma once
// Real files for the tests: a scratch folder that removes itself, and
// whole-file reads and writes. Paths are wide, in the extended form where
// they are long, so that any folder name and length can be tried.

#include <windows.h>

#include <optional>
#include <string>

namespace qsh::testing {

class ScratchFolder {
 public:
  // A fresh folder under `parent` (the temp folder when empty), named
  // `name` after a unique prefix.
  explicit ScratchFolder(const std::wstring& parent = {}, const std::wstring& name = {});
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  [[nodiscard]] const std::wstring& path() const { return path_; }
  [[nodiscard]] std::wstring operator/(const std::wstring& relative) const {
    return path_ + L"\\" + relative;
  }

 private:
  std::wstring path_;
};

// The temp folder without its trailing backslash.
[[nodiscard]] std::wstring TempFolder();
// Creates every missing level of a folder path; fails the test when it cannot.
void CreateFolders(const std::wstring& path);
void WriteWholeFile(const std::wstring& path, const std::string& content);
[[nodiscard]] std::optional<std::string> ReadWholeFile(const std::wstring& path);
[[nodiscard]] DWORD AttributesOf(const std::wstring& path);
void SetAttributes(const std::wstring& path, DWORD attributes);
void RemoveTree(const std::wstring& path);
// Names in a folder matching a pattern such as "*.qsh-staging".
[[nodiscard]] int CountMatches(const std::wstring& folder, const std::wstring& pattern);
// Every name in a folder but "." and "..", sorted, separated by "|".
[[nodiscard]] std::wstring Listing(const std::wstring& folder);
// The path in the form that any length takes ("\\?\...").
[[nodiscard]] std::wstring Long(const std::wstring& path);

}  // namespace qsh::testing

#pragma once
// Real files for the tests: a scratch folder that removes itself, and
// whole-file reads and writes.

#include <windows.h>

#include <optional>
#include <string>

namespace qsh::testing {

class ScratchFolder {
 public:
  // A fresh folder under `parent` (the temp folder when empty).
  explicit ScratchFolder(const std::string& parent = {});
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  [[nodiscard]] const std::string& path() const { return path_; }
  [[nodiscard]] std::string operator/(const std::string& relative) const {
    return path_ + "\\" + relative;
  }

 private:
  std::string path_;
};

void WriteWholeFile(const std::string& path, const std::string& content);
[[nodiscard]] std::optional<std::string> ReadWholeFile(const std::string& path);
[[nodiscard]] DWORD AttributesOf(const std::string& path);
void SetAttributes(const std::string& path, DWORD attributes);
void RemoveTree(const std::string& path);
// Names in a folder matching a pattern such as "*.qsh-staging".
[[nodiscard]] int CountMatches(const std::string& folder, const std::string& pattern);

}  // namespace qsh::testing

#pragma once
// An in-memory file system with the Windows rules the save-set logic meets:
// names match without regard to case, a folder holds files, a copy takes
// over the source's attributes, and read-only, hidden and folder targets are
// treated as the real file services treat them.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "saveset/file_services.h"

namespace qsh::testing {

struct MemoryNode {
  bool folder = false;
  std::string content;
  bool readOnly = false;
  bool hidden = false;
};

class MemoryFileServices final : public FileServices {
 public:
  // Builders for a test's starting state; parents must exist.
  void AddFolder(const std::string& path);
  void AddFile(const std::string& path, std::string content, bool readOnly = false,
               bool hidden = false);

  [[nodiscard]] std::optional<MemoryNode> Node(const std::string& path) const;
  [[nodiscard]] std::optional<std::string> Content(const std::string& path) const;
  // Every path with what is there, for comparing whole states.
  [[nodiscard]] std::map<std::string, std::string> Snapshot() const;

  // The next copies onto these targets fail (as a full disk would), leaving
  // the target as it was.
  std::set<std::string> failingCopyTargets;
  // Every call in order, as "Op(path)" or "CopyOver(source>target)".
  std::vector<std::string> calls;

  bool FileExists(const std::string& path) override;
  bool CreateFolder(const std::string& path) override;
  bool CopyOver(const std::string& source, const std::string& target,
                HiddenTarget hiddenTarget) override;
  bool RemoveFile(const std::string& path) override;

 private:
  static std::string Key(const std::string& path);
  [[nodiscard]] bool ParentIsFolder(const std::string& path) const;
  std::map<std::string, MemoryNode> nodes_;  // keyed by upper-cased path
};

}  // namespace qsh::testing

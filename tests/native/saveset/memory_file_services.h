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
  std::wstring content;
  bool readOnly = false;
  bool hidden = false;
};

class MemoryFileServices final : public FileServices {
 public:
  // Builders for a test's starting state; parents must exist.
  void AddFolder(const std::wstring& path);
  void AddFile(const std::wstring& path, std::wstring content, bool readOnly = false,
               bool hidden = false);

  [[nodiscard]] std::optional<MemoryNode> Node(const std::wstring& path) const;
  [[nodiscard]] std::optional<std::wstring> Content(const std::wstring& path) const;
  // Every path with what is there, for comparing whole states.
  [[nodiscard]] std::map<std::wstring, std::wstring> Snapshot() const;

  // The next copies onto these targets fail (as a full disk would), leaving
  // the target as it was.
  std::set<std::wstring> failingCopyTargets;
  // Every call in order, as "Op(path)" or "CopyOver(source>target)[rules]".
  std::vector<std::wstring> calls;

  bool FileExists(const std::wstring& path) override;
  bool CreateFolder(const std::wstring& path) override;
  bool CopyOver(const std::wstring& source, const std::wstring& target,
                CopyRules rules) override;
  bool RemoveFile(const std::wstring& path) override;
  // Copies here are never left unfinished; the call is only recorded.
  void DiscardUnfinishedCopy(const std::wstring& target) override;
  // Nothing to make durable here; the call is only recorded.
  void FlushFolder(const std::wstring& folder) override;

 private:
  static std::wstring Key(const std::wstring& path);
  [[nodiscard]] bool ParentIsFolder(const std::wstring& path) const;
  std::map<std::wstring, MemoryNode> nodes_;  // keyed by upper-cased path
};

}  // namespace qsh::testing

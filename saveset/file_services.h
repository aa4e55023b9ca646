#pragma once
// The only way the save-set logic reaches the file system.

#include <string>

namespace qsh {

// What a copy may do to a hidden (or system) file already at the target.
// A read-only target is never replaced, and neither is a folder.
enum class HiddenTarget {
  Refuse,   // as a plain copy over it would: the copy fails
  Replace,  // as removing it first would: the copy replaces it
};

class FileServices {
 public:
  virtual ~FileServices() = default;

  // True when a file or folder of that name is there; every failure of the
  // lookup reads as "not there".
  [[nodiscard]] virtual bool FileExists(const std::string& path) = 0;

  // Creates one folder level; fails when anything of that name is there.
  virtual bool CreateFolder(const std::string& path) = 0;

  // Copies the source over the target, taking over the source's attributes.
  // All or nothing: when it fails, or the process dies during it, the target
  // keeps its earlier content byte for byte.
  virtual bool CopyOver(const std::string& source, const std::string& target,
                        HiddenTarget hiddenTarget) = 0;

  virtual bool RemoveFile(const std::string& path) = 0;
};

}  // namespace qsh

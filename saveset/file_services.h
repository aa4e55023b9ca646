#pragma once
// The only way the save-set logic reaches the file system. Paths are whole
// paths composed from the run directory (see save_set.h).

#include <string>

namespace qsh {

// What a copy may do to a hidden (or system) file already at the target.
// A read-only target is never replaced, and neither is a folder.
enum class HiddenTarget {
  Refuse,   // as a plain copy over it would: the copy fails
  Replace,  // as removing it first would: the copy replaces it
};

// What a copy may do when another process keeps the target open in a way
// that forbids replacing it but shares writing (as a game holds its save).
enum class HeldTarget {
  Keep,              // the copy fails and the target keeps its content
  OverwriteInPlace,  // the complete copy is written into the target itself
};

struct CopyRules {
  HiddenTarget hiddenTarget;
  HeldTarget heldTarget;
};

class FileServices {
 public:
  virtual ~FileServices() = default;

  // True when a file or folder of that name is there; every failure of the
  // lookup reads as "not there".
  [[nodiscard]] virtual bool FileExists(const std::wstring& path) = 0;

  // Creates one folder level; fails when anything of that name is there.
  virtual bool CreateFolder(const std::wstring& path) = 0;

  // Copies the source over the target, taking over the source's attributes.
  // All or nothing: when it fails, or the process dies during it, the target
  // keeps its earlier content byte for byte; a source that changes while it
  // is read is not copied. The one exception is a held target that the
  // rules let be overwritten in place: it gets the complete copy, written
  // into it as a plain copy would.
  virtual bool CopyOver(const std::wstring& source, const std::wstring& target,
                        CopyRules rules) = 0;

  virtual bool RemoveFile(const std::wstring& path) = 0;

  // Removes whatever a copy onto the target that never finished (its
  // process killed) left beside the target; nothing else.
  virtual void DiscardUnfinishedCopy(const std::wstring& target) = 0;

  // Makes the copies that replaced files in the folder durable, so that a
  // power cut cannot roll them back, where the platform can.
  virtual void FlushFolder(const std::wstring& folder) = 0;
};

}  // namespace qsh

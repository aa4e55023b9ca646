#pragma once
// The file services on Windows' ANSI file functions.

#include "saveset/file_services.h"

namespace qsh {

class Win32FileServices final : public FileServices {
 public:
  bool FileExists(const std::string& path) override;
  bool CreateFolder(const std::string& path) override;
  bool CopyOver(const std::string& source, const std::string& target,
                HiddenTarget hiddenTarget) override;
  bool RemoveFile(const std::string& path) override;
};

// Where CopyOver stages a copy before it takes the target's place: beside
// the target, so that the final rename stays on one volume.
std::string StagingPathFor(const std::string& target);

}  // namespace qsh

#pragma once
// The file services on Windows' wide-character file functions, for paths of
// any length and in any language.

#include "saveset/file_services.h"
#include "saveset/win32/busy_retry.h"

namespace qsh {

class Win32FileServices final : public FileServices {
 public:
  explicit Win32FileServices(BusyRetry retry = {}) : retry_(retry) {}

  bool FileExists(const std::wstring& path) override;
  bool CreateFolder(const std::wstring& path) override;
  bool CopyOver(const std::wstring& source, const std::wstring& target,
                CopyRules rules) override;
  bool RemoveFile(const std::wstring& path) override;
  void DiscardUnfinishedCopy(const std::wstring& target) override;
  void FlushFolder(const std::wstring& folder) override;

 private:
  BusyRetry retry_;
};

}  // namespace qsh

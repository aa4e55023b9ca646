#pragma once
// Another process that keeps a file open, as a game keeps its save.

#include <windows.h>

#include <string>

namespace qsh::testing {

class HolderProcess {
 public:
  HolderProcess() = default;
  ~HolderProcess() { Stop(); }
  HolderProcess(const HolderProcess&) = delete;
  HolderProcess& operator=(const HolderProcess&) = delete;

  // Starts this test program as the holder of `path` with the sharing
  // `share` ("rw", "-", ...) and waits until it has opened the file. Fails
  // the test (check HasFatalFailure) when it does not within 20 s.
  void Start(const std::wstring& path, const std::wstring& share, const std::wstring& readyFile);
  // Ends the holder, which closes the file.
  void Stop();

 private:
  PROCESS_INFORMATION info_{};
};

}  // namespace qsh::testing

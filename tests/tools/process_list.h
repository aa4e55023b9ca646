#pragma once
// The processes of the Wine session (or Windows system), from a Toolhelp
// snapshot.

#include <windows.h>

#include <string>
#include <vector>

namespace qsh::tools {

struct ProcessEntry {
  DWORD pid = 0;
  DWORD parentPid = 0;
  DWORD threadCount = 0;
  std::wstring exeName;  // file name only, as the snapshot gives it
};

// Empty when no snapshot can be taken.
std::vector<ProcessEntry> ListProcesses();

// Ids of the processes whose exe name equals name, ignoring case.
std::vector<DWORD> ProcessIdsByExeName(const std::wstring& name);

}  // namespace qsh::tools

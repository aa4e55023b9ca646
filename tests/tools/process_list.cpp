#include "tests/tools/process_list.h"

#include <tlhelp32.h>

#include "platform/kernel_handles.h"

namespace qsh::tools {

std::vector<ProcessEntry> ListProcesses() {
  std::vector<ProcessEntry> processes;
  UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return processes;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more;
       more = ::Process32NextW(snapshot.get(), &entry)) {
    processes.push_back({entry.th32ProcessID, entry.th32ParentProcessID, entry.cntThreads,
                         std::wstring(entry.szExeFile)});
  }
  return processes;
}

std::vector<DWORD> ProcessIdsByExeName(const std::wstring& name) {
  std::vector<DWORD> ids;
  for (const ProcessEntry& process : ListProcesses()) {
    if (::CompareStringOrdinal(process.exeName.c_str(), -1, name.c_str(), -1, TRUE) == CSTR_EQUAL) {
      ids.push_back(process.pid);
    }
  }
  return ids;
}

}  // namespace qsh::tools

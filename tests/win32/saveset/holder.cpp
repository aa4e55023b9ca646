#include "tests/win32/saveset/holder.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/win32/saveset/test_files.h"

namespace qsh::testing {

void HolderProcess::Start(const std::wstring& path, const std::wstring& share,
                          const std::wstring& readyFile) {
  std::vector<wchar_t> self(32768);
  ASSERT_GT(::GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())), 0u);
  std::wstring command;
  for (const std::wstring& part : {std::wstring(self.data()), std::wstring(L"--hold-file"), share,
                                   path, readyFile})
    command.append(command.empty() ? L"" : L" ").append(L"\"").append(part).append(L"\"");
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  ASSERT_TRUE(::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &info_));
  for (int waited = 0; AttributesOf(readyFile) == INVALID_FILE_ATTRIBUTES; waited += 50) {
    DWORD code = 0;
    ::GetExitCodeProcess(info_.hProcess, &code);
    ASSERT_EQ(code, STILL_ACTIVE) << "the holder process ended early with " << code;
    ASSERT_LT(waited, 20000) << "the holder process did not open the file within 20 s";
    ::Sleep(50);
  }
}

void HolderProcess::Stop() {
  if (!info_.hProcess) return;
  ::TerminateProcess(info_.hProcess, 0);
  ::WaitForSingleObject(info_.hProcess, 10000);
  ::CloseHandle(info_.hProcess);
  ::CloseHandle(info_.hThread);
  info_ = {};
}

}  // namespace qsh::testing

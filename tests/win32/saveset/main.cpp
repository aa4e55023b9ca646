// The test program doubles as the "other process" that holds a file open:
// `saveset_win32_tests --hold-file SHARE PATH READY` opens PATH for reading
// and writing, sharing what SHARE names ("r", "w", "d" for read, write,
// delete; "-" for nothing), creates the file READY once it has, and waits
// to be killed.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>

namespace {

DWORD ShareMode(const std::wstring& letters) {
  DWORD share = 0;
  if (letters.find(L'r') != std::wstring::npos) share |= FILE_SHARE_READ;
  if (letters.find(L'w') != std::wstring::npos) share |= FILE_SHARE_WRITE;
  if (letters.find(L'd') != std::wstring::npos) share |= FILE_SHARE_DELETE;
  return share;
}

int HoldFile(const std::wstring& share, const std::wstring& path, const std::wstring& readyPath) {
  HANDLE held = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, ShareMode(share),
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (held == INVALID_HANDLE_VALUE) return 2;
  HANDLE ready = ::CreateFileW(readyPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  if (ready == INVALID_HANDLE_VALUE) return 3;
  ::CloseHandle(ready);
  ::Sleep(INFINITE);  // until the test terminates this process
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  int count = 0;
  wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (arguments != nullptr && count == 5 && std::wstring(arguments[1]) == L"--hold-file")
    return HoldFile(arguments[2], arguments[3], arguments[4]);
  ::LocalFree(arguments);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

// The test program doubles as the "other process" that holds a file open
// without sharing: `saveset_win32_tests --hold-file PATH` opens PATH with
// share mode 0, prints "ready" on stdout's handle file, and waits to be killed.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

namespace {

int HoldFile(const char* path, const char* readyPath) {
  HANDLE held = ::CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (held == INVALID_HANDLE_VALUE) return 2;
  HANDLE ready = ::CreateFileA(readyPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  if (ready == INVALID_HANDLE_VALUE) return 3;
  ::CloseHandle(ready);
  ::Sleep(INFINITE);  // until the test terminates this process
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--hold-file") == 0) return HoldFile(argv[2], argv[3]);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

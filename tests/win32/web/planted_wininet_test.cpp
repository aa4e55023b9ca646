// This program lives in a folder with a planted wininet.dll beside it (see
// CMakeLists.txt), as the program lives in the user-writable save folder.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/kernel_handles.h"
#include "tests/win32/web/loopback_server.h"
#include "web/win32/fetch_url.h"

namespace qsh {
namespace {

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

std::string ModulePath(HMODULE module) {
  char path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameA(module, path, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
}

std::string ExeFolder() {
  const std::string exe = ModulePath(nullptr);
  return exe.substr(0, exe.find_last_of('\\'));
}

std::string SystemFolder() {
  char path[MAX_PATH] = {};
  const UINT length = ::GetSystemDirectoryA(path, MAX_PATH);
  return std::string(path, length);
}

bool FileExists(const std::string& path) {
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

const std::string kMarker = ExeFolder() + "\\wininet.dll.loaded";

// Runs a program of this folder and waits for it, at most a minute.
bool RunAndWait(const std::string& program) {
  std::string commandLine = "\"" + program + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        ExeFolder().c_str(), &startup, &process))
    return false;
  const UniqueFile processHandle(process.hProcess);
  const UniqueFile threadHandle(process.hThread);
  return ::WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0;
}

std::vector<std::string> LoadedModulePaths() {
  std::vector<std::string> paths;
  const UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, 0));
  if (!snapshot) return paths;
  MODULEENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Module32First(snapshot.get(), &entry); more;
       more = ::Module32Next(snapshot.get(), &entry))
    paths.emplace_back(entry.szExePath);
  return paths;
}

TEST(PlantedWininetTest, AStaticImportWouldLoadThePlantedDll) {
  // The control: without it, a pass below could just mean that nothing in
  // this environment ever picks up a DLL beside the executable.
  ASSERT_TRUE(FileExists(ExeFolder() + "\\wininet.dll")) << "the planted DLL is missing";
  ::DeleteFileA(kMarker.c_str());
  ASSERT_TRUE(RunAndWait(ExeFolder() + "\\static_wininet_probe.exe"));
  EXPECT_TRUE(FileExists(kMarker)) << "the planted DLL was not loaded by a static import";
  ::DeleteFileA(kMarker.c_str());
}

TEST(PlantedWininetTest, FetchUrlLoadsWininetFromTheSystemFolderOnly) {
  ::DeleteFileA(kMarker.c_str());
  ASSERT_FALSE(test::PortFromEnvironment("QSH_TEST_HTTP_PORT").empty())
      << "run this program through tests/win32/web/http_test_server.py";
  EXPECT_FALSE(FetchUrl(test::ServerUrl("/echo/planted")).empty());

  EXPECT_FALSE(FileExists(kMarker)) << "the planted wininet.dll was loaded";
  const HMODULE wininet = ::GetModuleHandleA("wininet.dll");
  ASSERT_NE(wininet, nullptr);
  EXPECT_EQ(Lower(ModulePath(wininet)), Lower(SystemFolder() + "\\wininet.dll"));

  // Nothing at all came from this folder but the executable itself.
  const std::string folder = Lower(ExeFolder() + "\\");
  const std::string exe = Lower(ModulePath(nullptr));
  for (const std::string& path : LoadedModulePaths()) {
    const std::string lower = Lower(path);
    if (lower == exe) continue;
    EXPECT_NE(lower.rfind(folder, 0), 0u) << path << " was loaded from the program's folder";
  }
}

}  // namespace
}  // namespace qsh

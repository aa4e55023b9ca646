// OpenInBrowser through the real shell. A browser of our own is registered
// for a URL scheme of the tests (url_sink.exe), so that nothing outside the
// test opens.
#include "web/win32/open_in_browser.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/kernel_handles.h"

namespace qsh {
namespace {

constexpr char kScheme[] = "qsh-test-url";
// Straight under HKEY_CLASSES_ROOT: Wine does not merge HKCU's classes into it.
const std::string kClassKey = kScheme;

std::string ExeFolder() {
  char path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string exe(path, length);
  return exe.substr(0, exe.find_last_of('\\'));
}

bool SetDefaultValue(const std::string& key, const std::string& value) {
  HKEY handle = nullptr;
  if (::RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &handle, nullptr) != ERROR_SUCCESS)
    return false;
  const LONG result = ::RegSetValueExA(handle, nullptr, 0, REG_SZ,
                                       reinterpret_cast<const BYTE*>(value.c_str()),
                                       static_cast<DWORD>(value.size() + 1));
  ::RegCloseKey(handle);
  return result == ERROR_SUCCESS;
}

std::string ReadFileText(const std::string& path) {
  const UniqueFile file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return {};
  char buffer[4096];
  DWORD read = 0;
  if (!::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) return {};
  return std::string(buffer, read);
}

class OpenInBrowserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::DeleteFileA(received_.c_str());
    std::string command = "\"";  // appended piece by piece: GCC 12 warns wrongly on "..." + string
    command.append(ExeFolder()).append("\\url_sink.exe\" \"%1\"");
    ASSERT_TRUE(SetDefaultValue(kClassKey, std::string("URL:") + kScheme));
    HKEY key = nullptr;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_CLASSES_ROOT, kClassKey.c_str(), 0, KEY_SET_VALUE, &key),
              ERROR_SUCCESS);
    ::RegSetValueExA(key, "URL Protocol", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
    ::RegCloseKey(key);
    ASSERT_TRUE(SetDefaultValue(kClassKey + "\\shell\\open\\command", command));
  }
  void TearDown() override {
    ::RegDeleteTreeA(HKEY_CLASSES_ROOT, kClassKey.c_str());
    ::DeleteFileA(received_.c_str());
  }

  // The URL the stand-in browser received, waiting for it at most 60 s.
  std::string WaitForReceivedUrl() {
    for (int i = 0; i < 600; ++i) {
      if (::GetFileAttributesA(received_.c_str()) != INVALID_FILE_ATTRIBUTES)
        return ReadFileText(received_);
      ::Sleep(100);
    }
    return "(nothing received within 60 s)";
  }

  const std::string received_ = ExeFolder() + "\\received_url.txt";
};

TEST_F(OpenInBrowserTest, HandsTheUrlToTheRegisteredBrowser) {
  const std::string url = std::string(kScheme) + "://127.0.0.1/forum-1869-1.html";
  OpenInBrowser(url);
  EXPECT_EQ(WaitForReceivedUrl(), url);
}

TEST_F(OpenInBrowserTest, OpensAgainOnEveryCall) {
  const std::string url = std::string(kScheme) + "://127.0.0.1/forum.php";
  OpenInBrowser(url);
  EXPECT_EQ(WaitForReceivedUrl(), url);
  ::DeleteFileA(received_.c_str());
  OpenInBrowser(url);
  EXPECT_EQ(WaitForReceivedUrl(), url);
}

}  // namespace
}  // namespace qsh

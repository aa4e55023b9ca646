#include "saveset/run_directory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace qsh {
namespace {

struct ModulePathCase {
  const char* what;
  std::wstring modulePath;
  std::wstring runDirectory;
};

class RunDirectoryFromModulePathTest : public ::testing::TestWithParam<ModulePathCase> {};

TEST_P(RunDirectoryFromModulePathTest, DropsTheLastSeparatorAndTheName) {
  const ModulePathCase& c = GetParam();
  EXPECT_EQ(RunDirectoryFromModulePath(c.modulePath), c.runDirectory) << c.what;
}

// A folder of `length` characters in all, below D:.
std::wstring FolderOfLength(std::size_t length) {
  std::wstring folder = L"D:";
  while (folder.size() < length) {
    folder += L'\\';
    folder.append(std::min<std::size_t>(200, length - folder.size()), L'd');
  }
  return folder;
}

// 乗 and 誠 are 0x81 0x5C and 0xD5 0x5C in code page 936: their second byte
// is a backslash there, never in UTF-16.
INSTANTIATE_TEST_SUITE_P(
    Cases, RunDirectoryFromModulePathTest,
    ::testing::Values(
        ModulePathCase{"ordinary folder", L"D:\\Games\\Save\\helper.exe", L"D:\\Games\\Save"},
        ModulePathCase{"root of a drive", L"C:\\tool.exe", L"C:"},
        ModulePathCase{"0x5C second byte inside the folder name", L"D:\\存档乗\\helper.exe",
                       L"D:\\存档乗"},
        ModulePathCase{"0x5C second byte ends the folder name", L"D:\\誠\\helper.exe", L"D:\\誠"},
        ModulePathCase{"0x5C second byte ends the file name", L"D:\\Save\\辅助器誠",
                       L"D:\\Save"},
        ModulePathCase{"only such a character, no separator", L"乗helper.exe", L""},
        ModulePathCase{"Korean folder, beyond code page 936", L"C:\\Users\\민준\\세이브\\helper.exe",
                       L"C:\\Users\\민준\\세이브"},
        ModulePathCase{"Chinese user name", L"C:\\Users\\张伟\\Saved\\helper.exe",
                       L"C:\\Users\\张伟\\Saved"},
        ModulePathCase{"unpaired surrogate kept as it is", L"D:\\a\xD800z\\helper.exe",
                       L"D:\\a\xD800z"},
        ModulePathCase{"no backslash at all", L"helper.exe", L""},
        ModulePathCase{"empty path", L"", L""},
        ModulePathCase{"UNC share", L"\\\\server\\share\\helper.exe", L"\\\\server\\share"},
        ModulePathCase{"extended form", L"\\\\?\\C:\\Save\\helper.exe", L"\\\\?\\C:\\Save"},
        ModulePathCase{"300 characters", FolderOfLength(300) + L"\\helper.exe",
                       FolderOfLength(300)},
        ModulePathCase{"the longest path", FolderOfLength(32756) + L"\\helper.exe",
                       FolderOfLength(32756)}));

// GetModuleFileNameW as Windows answers it: the length without the end when
// the path fits; otherwise as much as fits, ended, and the buffer's size.
struct PlatformModulePath {
  std::wstring path;
  std::vector<std::size_t> asked;  // buffer sizes, one per query
  std::size_t failAtQuery = 0;     // 1-based; 0: never fails

  std::size_t operator()(std::span<wchar_t> buffer) {
    asked.push_back(buffer.size());
    if (asked.size() == failAtQuery) return 0;
    if (path.size() < buffer.size()) {
      std::copy(path.begin(), path.end(), buffer.begin());
      buffer[path.size()] = L'\0';
      return path.size();
    }
    std::copy_n(path.begin(), buffer.size() - 1, buffer.begin());
    buffer[buffer.size() - 1] = L'\0';
    return buffer.size();
  }
};

struct ModuleQueryCase {
  const char* what;
  std::size_t pathLength;
  std::size_t failAtQuery;
  bool whole;  // false: the empty path
};

class ReadModulePathTest : public ::testing::TestWithParam<ModuleQueryCase> {};

TEST_P(ReadModulePathTest, GrowsUntilThePathFitsAndNeverCutsItShort) {
  const ModuleQueryCase& c = GetParam();
  PlatformModulePath platform{FolderOfLength(c.pathLength - 11) + L"\\helper.exe", {},
                              c.failAtQuery};
  ASSERT_EQ(platform.path.size(), c.pathLength);
  const std::wstring read = ReadModulePath(std::ref(platform));
  EXPECT_EQ(read, c.whole ? platform.path : std::wstring()) << c.what;
  ASSERT_FALSE(platform.asked.empty());
  EXPECT_EQ(platform.asked.front(), 260u) << "the usual size first";
  EXPECT_LE(platform.asked.back(), kLongestPath + 1) << "never beyond the longest path";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadModulePathTest,
    ::testing::Values(ModuleQueryCase{"short", 40, 0, true},
                      ModuleQueryCase{"259, fits the first buffer", 259, 0, true},
                      ModuleQueryCase{"260, fills the first buffer", 260, 0, true},
                      ModuleQueryCase{"300", 300, 0, true},
                      ModuleQueryCase{"a few thousand", 5000, 0, true},
                      ModuleQueryCase{"the longest path", kLongestPath, 0, true},
                      ModuleQueryCase{"longer than any path", kLongestPath + 1, 0, false},
                      ModuleQueryCase{"the first query fails", 40, 1, false},
                      ModuleQueryCase{"a query fails while growing", 600, 2, false}));

}  // namespace
}  // namespace qsh

// Save folders of any name and length on real files: names that code page
// 936 cannot hold, names ending in a dot or a space, paths far beyond 260
// characters; the run-location check on them; and the run directory as the
// platform reports it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "saveset/run_directory.h"
#include "saveset/save_operations.h"
#include "saveset/win32/run_directory_win32.h"
#include "saveset/win32/win32_file_services.h"
#include "tests/win32/saveset/test_files.h"

namespace qsh {
namespace {

using testing::CreateFolders;
using testing::Listing;
using testing::Long;
using testing::ReadWholeFile;
using testing::ScratchFolder;
using testing::SetAttributes;
using testing::WriteWholeFile;

// A folder below `base` whose whole path is `length` characters long, in
// levels of up to 200 characters.
std::wstring FolderOfLength(const std::wstring& base, std::size_t length) {
  std::wstring folder = base;
  while (folder.size() + 2 <= length) {
    folder += L'\\';
    const std::size_t left = length - folder.size();
    folder.append(left > 200 && left - 200 < 2 ? 190 : std::min<std::size_t>(200, left), L'n');
  }
  return folder;
}

struct FolderCase {
  const char* name;
  std::wstring leaf;     // a folder name below the scratch folder, or
  std::size_t length;    // the whole run directory's length (0: leaf only)
};

class SaveFolderNameTest : public ::testing::TestWithParam<FolderCase> {
 protected:
  ScratchFolder scratch;
  Win32FileServices files;
};

TEST_P(SaveFolderNameTest, RunLocationBackupAndRestoreWork) {
  const FolderCase& c = GetParam();
  const std::wstring run =
      c.length ? FolderOfLength(scratch.path(), c.length) : scratch / c.leaf;
  if (c.length) {
    ASSERT_EQ(run.size(), c.length);
  }
  CreateFolders(run);
  ASSERT_FALSE(HasFatalFailure());
  if (!c.length) {
    ASSERT_EQ(Listing(scratch.path()), c.leaf) << "the name was not kept as it is";
  }

  EXPECT_FALSE(RunLocationCheck(files, run));
  WriteWholeFile(run + L"\\GameSave_Slot0.sav", "p1");
  WriteWholeFile(run + L"\\Settings_Backup.sav", "b1");
  EXPECT_TRUE(RunLocationCheck(files, run));

  BackupSaveSet(files, run);
  EXPECT_EQ(ReadWholeFile(run + L"\\Savecopy\\GameSave_Slot0.sav"), "p1");
  EXPECT_EQ(ReadWholeFile(run + L"\\Savecopy\\Settings_Backup.sav"), "b1");

  WriteWholeFile(run + L"\\GameSave_Slot0.sav", "p2");
  RestoreSaveSet(files, run);
  EXPECT_EQ(ReadWholeFile(run + L"\\GameSave_Slot0.sav"), "p1");
  EXPECT_EQ(Listing(run), L"GameSave_Slot0.sav|Savecopy|Settings_Backup.sav");
  EXPECT_EQ(Listing(run + L"\\Savecopy"), L"GameSave_Slot0.sav|Settings_Backup.sav");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SaveFolderNameTest,
    ::testing::Values(FolderCase{"Plain", L"save", 0},
                      FolderCase{"Korean", L"세이브 파일", 0},
                      FolderCase{"ChineseWith0x5CSecondBytes", L"存档乗誠", 0},
                      FolderCase{"EndingInADot", L"save.", 0},
                      FolderCase{"EndingInASpace", L"save ", 0},
                      FolderCase{"Of225Characters", L"", 225},
                      FolderCase{"Of300Characters", L"", 300},
                      FolderCase{"Of2000Characters", L"", 2000}),
    [](const auto& c) { return std::string(c.param.name); });

// The run-location check looks for the primary save as the directory
// search finds it.
struct LocationCase {
  const char* name;
  std::function<void(const std::wstring& run)> prepare;
  bool passes;
};

class RunLocationOnDiskTest : public ::testing::TestWithParam<LocationCase> {};

TEST_P(RunLocationOnDiskTest, FindsThePrimarySaveAsTheSearchDoes) {
  ScratchFolder run;
  GetParam().prepare(run.path());
  ASSERT_FALSE(HasFatalFailure());
  Win32FileServices files;
  EXPECT_EQ(RunLocationCheck(files, run.path()), GetParam().passes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RunLocationOnDiskTest,
    ::testing::Values(
        LocationCase{"PrimaryAlone",
                     [](const std::wstring& run) {
                       WriteWholeFile(run + L"\\GameSave_Slot0.sav", "p");
                     },
                     true},
        LocationCase{"FolderNamedLikeThePrimary",
                     [](const std::wstring& run) {
                       ASSERT_TRUE(
                           ::CreateDirectoryW(Long(run + L"\\GameSave_Slot0.sav").c_str(), nullptr));
                     },
                     true},
        LocationCase{"HiddenReadOnlyPrimary",
                     [](const std::wstring& run) {
                       WriteWholeFile(run + L"\\GameSave_Slot0.sav", "p");
                       SetAttributes(run + L"\\GameSave_Slot0.sav",
                                     FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
                     },
                     true},
        LocationCase{"OtherLetterCase",
                     [](const std::wstring& run) {
                       WriteWholeFile(run + L"\\gamesave_slot0.SAV", "p");
                     },
                     true},
        LocationCase{"OthersWithoutPrimary",
                     [](const std::wstring& run) {
                       WriteWholeFile(run + L"\\Settings.sav", "s");
                       CreateFolders(run + L"\\Savecopy");
                       WriteWholeFile(run + L"\\Savecopy\\GameSave_Slot0.sav", "p");
                     },
                     false},
        LocationCase{"MissingFolder",
                     [](const std::wstring& run) { testing::RemoveTree(run); }, false}),
    [](const auto& c) { return std::string(c.param.name); });

// Every module path that code page 936 can express gives the run directory
// it gave when paths were code page 936 bytes.
struct CodePageCase {
  const char* modulePath;    // code page 936 bytes
  const char* runDirectory;  // what the byte-wise search gave
};

std::wstring FromCodePage936(const std::string& bytes) {
  if (bytes.empty()) return {};
  const int length = ::MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, bytes.data(),
                                           static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()),
                        wide.data(), length);
  return wide;
}

TEST(RunDirectoryOnCodePage936, KeepsTheOutcomesOfTheByteWiseSearch) {
  // "\x81\x5C" (乗) and "\xD5\x5C" (誠) have a backslash as second byte.
  const std::vector<CodePageCase> cases{
      {"D:\\Games\\Save\\helper.exe", "D:\\Games\\Save"},
      {"C:\\tool.exe", "C:"},
      {"D:\\\xB4\xE6\x81\x5C\\helper.exe", "D:\\\xB4\xE6\x81\x5C"},
      {"D:\\\xD5\x5C\\helper.exe", "D:\\\xD5\x5C"},
      {"D:\\Save\\\x81\x5C", "D:\\Save"},
      {"\x81\x5Chelper.exe", ""},
      {"helper.exe", ""},
      {"\\\\server\\share\\\xB8\xA8\xD6\xFA.exe", "\\\\server\\share"},
  };
  for (const CodePageCase& c : cases) {
    const std::wstring modulePath = FromCodePage936(c.modulePath);
    ASSERT_FALSE(modulePath.empty()) << c.modulePath;
    EXPECT_EQ(RunDirectoryFromModulePath(modulePath), FromCodePage936(c.runDirectory))
        << c.modulePath;
  }
}

// These tests run on a Chinese system and again on a Western one (see
// CMakeLists.txt); this proves which one they ran on.
TEST(RunDirectoryWin32, RunsOnTheSystemItWasAskedFor) {
  const wchar_t* locale = ::_wgetenv(L"QSH_LOCALE");
  const bool western = locale != nullptr && std::wstring(locale) == L"C.UTF-8";
  EXPECT_EQ(::GetACP(), western ? 1252u : 936u);
}

TEST(RunDirectoryWin32, IsTheFolderOfTheExecutable) {
  std::vector<wchar_t> self(32768);
  const DWORD length = ::GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size()));
  ASSERT_GT(length, 0u);
  std::wstring expected(self.data(), length);
  expected.erase(expected.rfind(L'\\'));
  EXPECT_EQ(QueryRunDirectory(), expected);
}

}  // namespace
}  // namespace qsh

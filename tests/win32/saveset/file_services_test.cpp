// Backup and restore on real files, with the Windows file services.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "platform/kernel_handles.h"
#include "saveset/save_operations.h"
#include "saveset/save_set.h"
#include "saveset/win32/run_directory_win32.h"
#include "saveset/win32/win32_file_services.h"
#include "tests/win32/saveset/test_files.h"

namespace qsh {
namespace {

using testing::AttributesOf;
using testing::CountMatches;
using testing::ReadWholeFile;
using testing::ScratchFolder;
using testing::SetAttributes;
using testing::WriteWholeFile;

class SaveFolderTest : public ::testing::Test {
 protected:
  std::string Live(const std::string& name) const { return run / name; }
  std::string Copy(const std::string& name) const { return run / ("Savecopy\\" + name); }
  void MakeSavecopy() const { ASSERT_TRUE(::CreateDirectoryA((run / "Savecopy").c_str(), nullptr)); }
  int StagedFiles() const {
    return CountMatches(run.path(), "*.qsh-staging") +
           CountMatches(run / "Savecopy", "*.qsh-staging");
  }

  ScratchFolder run;
  Win32FileServices files;
};

TEST_F(SaveFolderTest, BackupThenRestoreRoundTrip) {
  WriteWholeFile(Live("GameSave_Slot0.sav"), std::string(300000, 'p'));
  WriteWholeFile(Live("Settings.sav"), "settings v1");
  WriteWholeFile(Live("unrelated.txt"), "keep");

  BackupSaveSet(files, run.path());
  EXPECT_EQ(ReadWholeFile(Copy("GameSave_Slot0.sav")), std::string(300000, 'p'));
  EXPECT_EQ(ReadWholeFile(Copy("Settings.sav")), "settings v1");
  EXPECT_FALSE(ReadWholeFile(Copy("Settings_Backup.sav")));
  EXPECT_FALSE(ReadWholeFile(Copy("unrelated.txt")));

  WriteWholeFile(Live("GameSave_Slot0.sav"), "later progress");
  WriteWholeFile(Live("Settings_Backup.sav"), "no copy of this one");
  RestoreSaveSet(files, run.path());
  EXPECT_EQ(ReadWholeFile(Live("GameSave_Slot0.sav")), std::string(300000, 'p'));
  EXPECT_EQ(ReadWholeFile(Live("Settings_Backup.sav")), "no copy of this one");
  EXPECT_EQ(ReadWholeFile(Live("unrelated.txt")), "keep");
  EXPECT_EQ(ReadWholeFile(Copy("GameSave_Slot0.sav")), std::string(300000, 'p'))
      << "restore must leave the snapshot for the next restore";
  EXPECT_EQ(StagedFiles(), 0);
}

TEST_F(SaveFolderTest, CopyKeepsTheSourcesLastWriteTime) {
  WriteWholeFile(Live("Settings.sav"), "s");
  FILETIME old{};
  old.dwHighDateTime = 0x01D00000;  // some day in 2014
  {
    UniqueFile file(::CreateFileA(Live("Settings.sav").c_str(), FILE_WRITE_ATTRIBUTES, 0,
                                  nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(file.valid());
    ASSERT_TRUE(::SetFileTime(file.get(), nullptr, nullptr, &old));
  }
  BackupSaveSet(files, run.path());
  WIN32_FILE_ATTRIBUTE_DATA copied{};
  ASSERT_TRUE(::GetFileAttributesExA(Copy("Settings.sav").c_str(), GetFileExInfoStandard, &copied));
  EXPECT_EQ(copied.ftLastWriteTime.dwHighDateTime, old.dwHighDateTime);
  EXPECT_EQ(copied.ftLastWriteTime.dwLowDateTime, old.dwLowDateTime);
}

TEST_F(SaveFolderTest, ReadOnlyLiveFileIsBackedUpOnceThenItsCopyStays) {
  WriteWholeFile(Live("Settings.sav"), "v1");
  SetAttributes(Live("Settings.sav"), FILE_ATTRIBUTE_READONLY);
  BackupSaveSet(files, run.path());
  EXPECT_EQ(ReadWholeFile(Copy("Settings.sav")), "v1");
  EXPECT_TRUE(AttributesOf(Copy("Settings.sav")) & FILE_ATTRIBUTE_READONLY)
      << "a copy takes over its source's attributes";

  SetAttributes(Live("Settings.sav"), FILE_ATTRIBUTE_NORMAL);
  WriteWholeFile(Live("Settings.sav"), "v2");
  BackupSaveSet(files, run.path());
  EXPECT_EQ(ReadWholeFile(Copy("Settings.sav")), "v1") << "a read-only copy is never replaced";
}

TEST_F(SaveFolderTest, HiddenCopyIsKeptOnBackupAndTheOthersStillCopied) {
  MakeSavecopy();
  WriteWholeFile(Copy("GameSave_Slot0.sav"), "old");
  SetAttributes(Copy("GameSave_Slot0.sav"), FILE_ATTRIBUTE_HIDDEN);
  WriteWholeFile(Live("GameSave_Slot0.sav"), "new");
  WriteWholeFile(Live("Settings.sav"), "s");

  BackupSaveSet(files, run.path());
  EXPECT_EQ(ReadWholeFile(Copy("GameSave_Slot0.sav")), "old");
  EXPECT_EQ(ReadWholeFile(Copy("Settings.sav")), "s");
  EXPECT_EQ(StagedFiles(), 0);
}

TEST_F(SaveFolderTest, RestoreReplacesAHiddenLiveFileButKeepsAReadOnlyOne) {
  MakeSavecopy();
  WriteWholeFile(Copy("GameSave_Slot0.sav"), "snapshot p");
  WriteWholeFile(Copy("Settings.sav"), "snapshot s");
  WriteWholeFile(Live("GameSave_Slot0.sav"), "hidden live");
  SetAttributes(Live("GameSave_Slot0.sav"), FILE_ATTRIBUTE_HIDDEN);
  WriteWholeFile(Live("Settings.sav"), "read-only live");
  SetAttributes(Live("Settings.sav"), FILE_ATTRIBUTE_READONLY);

  RestoreSaveSet(files, run.path());
  EXPECT_EQ(ReadWholeFile(Live("GameSave_Slot0.sav")), "snapshot p");
  EXPECT_FALSE(AttributesOf(Live("GameSave_Slot0.sav")) & FILE_ATTRIBUTE_HIDDEN)
      << "the restored file carries the copy's attributes";
  EXPECT_EQ(ReadWholeFile(Live("Settings.sav")), "read-only live");
  EXPECT_EQ(StagedFiles(), 0);
}

TEST_F(SaveFolderTest, PlainFileNamedSavecopyBlocksBothWays) {
  WriteWholeFile(run / "Savecopy", "not a folder");
  WriteWholeFile(Live("GameSave_Slot0.sav"), "p");
  BackupSaveSet(files, run.path());
  RestoreSaveSet(files, run.path());
  EXPECT_EQ(ReadWholeFile(run / "Savecopy"), "not a folder");
  EXPECT_EQ(ReadWholeFile(Live("GameSave_Slot0.sav")), "p");
}

TEST_F(SaveFolderTest, FolderInPlaceOfACopyLeavesTheLiveFileWhole) {
  MakeSavecopy();
  ASSERT_TRUE(::CreateDirectoryA(Copy("GameSave_Slot0.sav").c_str(), nullptr));
  WriteWholeFile(Live("GameSave_Slot0.sav"), "live progress");
  RestoreSaveSet(files, run.path());
  EXPECT_EQ(ReadWholeFile(Live("GameSave_Slot0.sav")), "live progress");
}

TEST_F(SaveFolderTest, LeftoverStagingFileFromAKilledRunIsReplaced) {
  MakeSavecopy();
  WriteWholeFile(Copy("Settings.sav.qsh-staging"), "half a copy");
  SetAttributes(Copy("Settings.sav.qsh-staging"), FILE_ATTRIBUTE_READONLY);
  WriteWholeFile(Live("Settings.sav"), "whole");
  BackupSaveSet(files, run.path());
  EXPECT_EQ(ReadWholeFile(Copy("Settings.sav")), "whole");
  EXPECT_EQ(StagedFiles(), 0);
}

TEST_F(SaveFolderTest, FileExistsFollowsTheDirectorySearch) {
  WriteWholeFile(Live("GameSave_Slot0.sav"), "p");
  SetAttributes(Live("GameSave_Slot0.sav"), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
  ASSERT_TRUE(::CreateDirectoryA(Live("Settings.sav").c_str(), nullptr));
  EXPECT_TRUE(files.FileExists(Live("GameSave_Slot0.sav")));
  EXPECT_TRUE(files.FileExists(Live("gamesave_slot0.SAV")));
  EXPECT_TRUE(files.FileExists(Live("Settings.sav"))) << "a folder counts";
  EXPECT_FALSE(files.FileExists(Live("Settings_Backup.sav")));
  EXPECT_FALSE(files.FileExists(run / "missing\\GameSave_Slot0.sav"));
  EXPECT_TRUE(RunLocationCheck(files, run.path()));
  EXPECT_FALSE(RunLocationCheck(files, run / "missing"));
}

// A process handle that is terminated when the test ends.
struct ChildProcess {
  PROCESS_INFORMATION info{};
  ~ChildProcess() { Stop(); }
  void Stop() {
    if (!info.hProcess) return;
    ::TerminateProcess(info.hProcess, 0);
    ::WaitForSingleObject(info.hProcess, 10000);
    ::CloseHandle(info.hProcess);
    ::CloseHandle(info.hThread);
    info = {};
  }
};

void StartHolder(ChildProcess& child, const std::string& path, const std::string& readyFile) {
  std::array<char, MAX_PATH> self{};
  ASSERT_GT(::GetModuleFileNameA(nullptr, self.data(), MAX_PATH), 0u);
  std::string command;
  for (const std::string& part : {std::string(self.data()), std::string("--hold-file"), path, readyFile})
    command.append(command.empty() ? "" : " ").append("\"").append(part).append("\"");
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  ASSERT_TRUE(::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &child.info));
  for (int waited = 0; AttributesOf(readyFile) == INVALID_FILE_ATTRIBUTES; waited += 50) {
    DWORD code = 0;
    ::GetExitCodeProcess(child.info.hProcess, &code);
    ASSERT_EQ(code, STILL_ACTIVE) << "the holder process ended early with " << code;
    ASSERT_LT(waited, 20000) << "the holder process did not open " << path << " within 20 s";
    ::Sleep(50);
  }
}

TEST_F(SaveFolderTest, FileHeldOpenWithoutSharingIsSkippedAndTheOthersCopied) {
  WriteWholeFile(Live("GameSave_Slot0.sav"), "p2");
  WriteWholeFile(Live("GameSave_Slot0_Backup.sav"), "b2");
  WriteWholeFile(Live("Settings.sav"), "s2");
  WriteWholeFile(Live("Settings_Backup.sav"), "t2");
  MakeSavecopy();
  WriteWholeFile(Copy("Settings.sav"), "s1");

  ChildProcess holder;
  StartHolder(holder, Live("Settings.sav"), run / "ready");
  BackupSaveSet(files, run.path());
  EXPECT_EQ(ReadWholeFile(Copy("GameSave_Slot0.sav")), "p2");
  EXPECT_EQ(ReadWholeFile(Copy("GameSave_Slot0_Backup.sav")), "b2");
  EXPECT_EQ(ReadWholeFile(Copy("Settings.sav")), "s1");
  EXPECT_EQ(ReadWholeFile(Copy("Settings_Backup.sav")), "t2");

  // The other way: the held live file cannot be replaced, the rest are restored.
  WriteWholeFile(Copy("Settings.sav"), "snapshot s");
  WriteWholeFile(Live("GameSave_Slot0.sav"), "p3");
  RestoreSaveSet(files, run.path());
  EXPECT_EQ(ReadWholeFile(Live("GameSave_Slot0.sav")), "p2");
  EXPECT_EQ(StagedFiles(), 0);
  holder.Stop();
  EXPECT_EQ(ReadWholeFile(Live("Settings.sav")), "s2");
}

TEST(RunDirectoryWin32, IsTheFolderOfTheExecutable) {
  std::array<char, MAX_PATH> self{};
  const DWORD length = ::GetModuleFileNameA(nullptr, self.data(), MAX_PATH);
  ASSERT_GT(length, 0u);
  std::string expected(self.data(), length);
  expected.erase(expected.rfind('\\'));
  EXPECT_EQ(QueryRunDirectory(), expected);
}

}  // namespace
}  // namespace qsh

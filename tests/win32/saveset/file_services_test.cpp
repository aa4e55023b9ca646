// Backup and restore on real files, with the Windows file services.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/kernel_handles.h"
#include "saveset/save_operations.h"
#include "saveset/win32/win32_file_services.h"
#include "tests/win32/saveset/holder.h"
#include "tests/win32/saveset/test_files.h"

namespace qsh {
namespace {

using testing::AttributesOf;
using testing::CountMatches;
using testing::HolderProcess;
using testing::Listing;
using testing::Long;
using testing::ReadWholeFile;
using testing::ScratchFolder;
using testing::SetAttributes;
using testing::WriteWholeFile;

class SaveFolderTest : public ::testing::Test {
 protected:
  std::wstring Live(const std::wstring& name) const { return run / name; }
  std::wstring Copy(const std::wstring& name) const { return run / (L"Savecopy\\" + name); }
  void MakeSavecopy() const {
    ASSERT_TRUE(::CreateDirectoryW(Long(run / L"Savecopy").c_str(), nullptr));
  }
  int StagedFiles() const {
    return CountMatches(run.path(), L"*.qsh-staging") +
           CountMatches(run / L"Savecopy", L"*.qsh-staging");
  }

  ScratchFolder run;
  Win32FileServices files;
};

TEST_F(SaveFolderTest, BackupThenRestoreRoundTrip) {
  WriteWholeFile(Live(L"GameSave_Slot0.sav"), std::string(300000, 'p'));
  WriteWholeFile(Live(L"Settings.sav"), "settings v1");
  WriteWholeFile(Live(L"unrelated.txt"), "keep");

  BackupSaveSet(files, run.path());
  EXPECT_EQ(ReadWholeFile(Copy(L"GameSave_Slot0.sav")), std::string(300000, 'p'));
  EXPECT_EQ(ReadWholeFile(Copy(L"Settings.sav")), "settings v1");
  EXPECT_FALSE(ReadWholeFile(Copy(L"Settings_Backup.sav")));
  EXPECT_FALSE(ReadWholeFile(Copy(L"unrelated.txt")));

  WriteWholeFile(Live(L"GameSave_Slot0.sav"), "later progress");
  WriteWholeFile(Live(L"Settings_Backup.sav"), "no copy of this one");
  RestoreSaveSet(files, run.path());
  EXPECT_EQ(ReadWholeFile(Live(L"GameSave_Slot0.sav")), std::string(300000, 'p'));
  EXPECT_EQ(ReadWholeFile(Live(L"Settings_Backup.sav")), "no copy of this one");
  EXPECT_EQ(ReadWholeFile(Live(L"unrelated.txt")), "keep");
  EXPECT_EQ(ReadWholeFile(Copy(L"GameSave_Slot0.sav")), std::string(300000, 'p'))
      << "restore must leave the snapshot for the next restore";
  EXPECT_EQ(Listing(run.path()),
            L"GameSave_Slot0.sav|Savecopy|Settings.sav|Settings_Backup.sav|unrelated.txt")
      << "nothing of ours is left in the save folder";
  EXPECT_EQ(Listing(run / L"Savecopy"), L"GameSave_Slot0.sav|Settings.sav");
}

TEST_F(SaveFolderTest, CopyKeepsTheSourcesLastWriteTime) {
  WriteWholeFile(Live(L"Settings.sav"), "s");
  FILETIME old{};
  old.dwHighDateTime = 0x01D00000;  // some day in 2014
  {
    UniqueFile file(::CreateFileW(Live(L"Settings.sav").c_str(), FILE_WRITE_ATTRIBUTES, 0,
                                  nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(file.valid());
    ASSERT_TRUE(::SetFileTime(file.get(), nullptr, nullptr, &old));
  }
  BackupSaveSet(files, run.path());
  WIN32_FILE_ATTRIBUTE_DATA copied{};
  ASSERT_TRUE(
      ::GetFileAttributesExW(Copy(L"Settings.sav").c_str(), GetFileExInfoStandard, &copied));
  EXPECT_EQ(copied.ftLastWriteTime.dwHighDateTime, old.dwHighDateTime);
  EXPECT_EQ(copied.ftLastWriteTime.dwLowDateTime, old.dwLowDateTime);
}

TEST_F(SaveFolderTest, ReadOnlyLiveFileIsBackedUpOnceThenItsCopyStays) {
  WriteWholeFile(Live(L"Settings.sav"), "v1");
  SetAttributes(Live(L"Settings.sav"), FILE_ATTRIBUTE_READONLY);
  BackupSaveSet(files, run.path());
  EXPECT_EQ(ReadWholeFile(Copy(L"Settings.sav")), "v1");
  EXPECT_TRUE(AttributesOf(Copy(L"Settings.sav")) & FILE_ATTRIBUTE_READONLY)
      << "a copy takes over its source's attributes";

  SetAttributes(Live(L"Settings.sav"), FILE_ATTRIBUTE_NORMAL);
  WriteWholeFile(Live(L"Settings.sav"), "v2");
  BackupSaveSet(files, run.path());
  EXPECT_EQ(ReadWholeFile(Copy(L"Settings.sav")), "v1") << "a read-only copy is never replaced";
}

// A hidden or a system copy is kept by a backup, as a plain copy over it
// would be refused; a restore from it replaces the live file and gives it
// the copy's attribute.
class MarkedCopyTest : public SaveFolderTest, public ::testing::WithParamInterface<DWORD> {};

TEST_P(MarkedCopyTest, IsKeptOnBackupAndRestoredWithItsAttribute) {
  const DWORD mark = GetParam();
  MakeSavecopy();
  WriteWholeFile(Copy(L"GameSave_Slot0.sav"), "old");
  SetAttributes(Copy(L"GameSave_Slot0.sav"), mark);
  WriteWholeFile(Live(L"GameSave_Slot0.sav"), "new");
  WriteWholeFile(Live(L"Settings.sav"), "s");

  BackupSaveSet(files, run.path());
  EXPECT_EQ(ReadWholeFile(Copy(L"GameSave_Slot0.sav")), "old");
  EXPECT_EQ(ReadWholeFile(Copy(L"Settings.sav")), "s");
  EXPECT_EQ(StagedFiles(), 0);

  RestoreSaveSet(files, run.path());
  EXPECT_EQ(ReadWholeFile(Live(L"GameSave_Slot0.sav")), "old");
  EXPECT_TRUE(AttributesOf(Live(L"GameSave_Slot0.sav")) & mark);
  SetAttributes(Copy(L"GameSave_Slot0.sav"), FILE_ATTRIBUTE_NORMAL);
  WriteWholeFile(Copy(L"GameSave_Slot0.sav"), "plain");
  RestoreSaveSet(files, run.path());
  EXPECT_EQ(ReadWholeFile(Live(L"GameSave_Slot0.sav")), "plain")
      << "a marked live file that is not read-only is replaced";
  EXPECT_EQ(StagedFiles(), 0);
}

INSTANTIATE_TEST_SUITE_P(Marks, MarkedCopyTest,
                         ::testing::Values(FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM),
                         [](const auto& mark) {
                           return mark.param == FILE_ATTRIBUTE_HIDDEN ? "Hidden" : "System";
                         });

TEST_F(SaveFolderTest, RestoreReplacesAHiddenLiveFileButKeepsAReadOnlyOne) {
  MakeSavecopy();
  WriteWholeFile(Copy(L"GameSave_Slot0.sav"), "snapshot p");
  WriteWholeFile(Copy(L"Settings.sav"), "snapshot s");
  WriteWholeFile(Live(L"GameSave_Slot0.sav"), "hidden live");
  SetAttributes(Live(L"GameSave_Slot0.sav"), FILE_ATTRIBUTE_HIDDEN);
  WriteWholeFile(Live(L"Settings.sav"), "read-only live");
  SetAttributes(Live(L"Settings.sav"), FILE_ATTRIBUTE_READONLY);

  RestoreSaveSet(files, run.path());
  EXPECT_EQ(ReadWholeFile(Live(L"GameSave_Slot0.sav")), "snapshot p");
  EXPECT_FALSE(AttributesOf(Live(L"GameSave_Slot0.sav")) & FILE_ATTRIBUTE_HIDDEN)
      << "the restored file carries the copy's attributes";
  EXPECT_EQ(ReadWholeFile(Live(L"Settings.sav")), "read-only live");
  EXPECT_EQ(StagedFiles(), 0);
}

TEST_F(SaveFolderTest, PlainFileNamedSavecopyBlocksBothWays) {
  WriteWholeFile(run / L"Savecopy", "not a folder");
  WriteWholeFile(Live(L"GameSave_Slot0.sav"), "p");
  BackupSaveSet(files, run.path());
  RestoreSaveSet(files, run.path());
  EXPECT_EQ(ReadWholeFile(run / L"Savecopy"), "not a folder");
  EXPECT_EQ(ReadWholeFile(Live(L"GameSave_Slot0.sav")), "p");
}

TEST_F(SaveFolderTest, FolderInPlaceOfACopyLeavesTheLiveFileWhole) {
  MakeSavecopy();
  ASSERT_TRUE(::CreateDirectoryW(Copy(L"GameSave_Slot0.sav").c_str(), nullptr));
  WriteWholeFile(Live(L"GameSave_Slot0.sav"), "live progress");
  RestoreSaveSet(files, run.path());
  EXPECT_EQ(ReadWholeFile(Live(L"GameSave_Slot0.sav")), "live progress");
}

TEST_F(SaveFolderTest, LeftoverStagingFileFromAKilledRunIsReplaced) {
  MakeSavecopy();
  WriteWholeFile(Copy(L"Settings.sav.qsh-staging"), "half a copy");
  SetAttributes(Copy(L"Settings.sav.qsh-staging"), FILE_ATTRIBUTE_READONLY);
  WriteWholeFile(Live(L"Settings.sav"), "whole");
  BackupSaveSet(files, run.path());
  EXPECT_EQ(ReadWholeFile(Copy(L"Settings.sav")), "whole");
  EXPECT_EQ(StagedFiles(), 0);
}

// A killed run may leave a staged file beside any target; the next press
// of either key removes all of them, whichever entries it copies, and
// leaves files of other names alone.
TEST_F(SaveFolderTest, LeftoversOfEveryEntryGoAtTheNextPressOfEitherKey) {
  for (const bool backup : {true, false}) {
    SCOPED_TRACE(backup ? "backup" : "restore");
    testing::RemoveTree(run / L"Savecopy");
    MakeSavecopy();
    for (const wchar_t* name : {L"GameSave_Slot0.sav", L"GameSave_Slot0_Backup.sav",
                                L"Settings.sav", L"Settings_Backup.sav"}) {
      WriteWholeFile(Live(std::wstring(name) + L".qsh-staging"), "half");
      WriteWholeFile(Copy(std::wstring(name) + L".qsh-staging"), "half");
    }
    WriteWholeFile(Live(L"other.qsh-staging"), "not ours");
    WriteWholeFile(Live(L"GameSave_Slot0.sav"), "p");  // the only entry either key copies
    if (backup) {
      BackupSaveSet(files, run.path());
    } else {
      WriteWholeFile(Copy(L"GameSave_Slot0.sav"), "p");
      RestoreSaveSet(files, run.path());
    }
    EXPECT_EQ(Listing(run.path()), L"GameSave_Slot0.sav|Savecopy|other.qsh-staging");
    EXPECT_EQ(Listing(run / L"Savecopy"), L"GameSave_Slot0.sav");
  }
}

TEST_F(SaveFolderTest, FileExistsFollowsTheDirectorySearch) {
  WriteWholeFile(Live(L"GameSave_Slot0.sav"), "p");
  SetAttributes(Live(L"GameSave_Slot0.sav"), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
  ASSERT_TRUE(::CreateDirectoryW(Live(L"Settings.sav").c_str(), nullptr));
  EXPECT_TRUE(files.FileExists(Live(L"GameSave_Slot0.sav")));
  EXPECT_TRUE(files.FileExists(Live(L"gamesave_slot0.SAV")));
  EXPECT_TRUE(files.FileExists(Live(L"Settings.sav"))) << "a folder counts";
  EXPECT_FALSE(files.FileExists(Live(L"Settings_Backup.sav")));
  EXPECT_FALSE(files.FileExists(run / L"missing\\GameSave_Slot0.sav"));
}

TEST_F(SaveFolderTest, FileHeldOpenWithoutSharingIsSkippedAndTheOthersCopied) {
  WriteWholeFile(Live(L"GameSave_Slot0.sav"), "p2");
  WriteWholeFile(Live(L"GameSave_Slot0_Backup.sav"), "b2");
  WriteWholeFile(Live(L"Settings.sav"), "s2");
  WriteWholeFile(Live(L"Settings_Backup.sav"), "t2");
  MakeSavecopy();
  WriteWholeFile(Copy(L"Settings.sav"), "s1");

  HolderProcess holder;
  holder.Start(Live(L"Settings.sav"), L"-", run / L"ready");
  ASSERT_FALSE(HasFatalFailure());
  BackupSaveSet(files, run.path());
  EXPECT_EQ(ReadWholeFile(Copy(L"GameSave_Slot0.sav")), "p2");
  EXPECT_EQ(ReadWholeFile(Copy(L"GameSave_Slot0_Backup.sav")), "b2");
  EXPECT_EQ(ReadWholeFile(Copy(L"Settings.sav")), "s1");
  EXPECT_EQ(ReadWholeFile(Copy(L"Settings_Backup.sav")), "t2");

  // The other way: the held live file cannot be replaced, the rest are restored.
  WriteWholeFile(Copy(L"Settings.sav"), "snapshot s");
  WriteWholeFile(Live(L"GameSave_Slot0.sav"), "p3");
  RestoreSaveSet(files, run.path());
  EXPECT_EQ(ReadWholeFile(Live(L"GameSave_Slot0.sav")), "p2");
  EXPECT_EQ(StagedFiles(), 0);
  holder.Stop();
  EXPECT_EQ(ReadWholeFile(Live(L"Settings.sav")), "s2");
}

}  // namespace
}  // namespace qsh

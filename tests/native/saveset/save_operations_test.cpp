#include "saveset/save_operations.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/native/saveset/memory_file_services.h"

namespace qsh {
namespace {

using testing::MemoryFileServices;

constexpr const char* kRun = "D:\\Save";
constexpr const char* kFolder = "<folder>";

// One file or folder below the run directory: "Settings.sav" or
// "Savecopy\\Settings.sav"; content kFolder makes a folder.
struct Seed {
  std::string relative;
  std::string content;
  bool readOnly = false;
  bool hidden = false;
};

enum class Operation { Backup, Restore };

struct Scenario {
  const char* name;
  std::vector<Seed> before;
  Operation operation;
  std::vector<Seed> after;            // the whole state afterwards
  std::vector<std::string> failing{};  // copy targets that fail, relative
};

std::string Under(const std::string& relative) { return std::string(kRun) + "\\" + relative; }

void Plant(MemoryFileServices& files, const std::vector<Seed>& seeds) {
  files.AddFolder(kRun);
  for (const Seed& seed : seeds) {
    if (seed.content == kFolder) {
      files.AddFolder(Under(seed.relative));
    } else {
      files.AddFile(Under(seed.relative), seed.content, seed.readOnly, seed.hidden);
    }
  }
}

std::map<std::string, std::string> StateOf(const std::vector<Seed>& seeds) {
  MemoryFileServices files;
  Plant(files, seeds);
  return files.Snapshot();
}

class SaveOperationsTest : public ::testing::TestWithParam<Scenario> {};

TEST_P(SaveOperationsTest, LeavesTheExpectedFiles) {
  const Scenario& s = GetParam();
  MemoryFileServices files;
  Plant(files, s.before);
  for (const std::string& target : s.failing) files.failingCopyTargets.insert(Under(target));

  if (s.operation == Operation::Backup) {
    BackupSaveSet(files, kRun);
  } else {
    RestoreSaveSet(files, kRun);
  }
  EXPECT_EQ(files.Snapshot(), StateOf(s.after));
}

const Seed kSavecopy{"Savecopy", kFolder};

INSTANTIATE_TEST_SUITE_P(
    Backup, SaveOperationsTest,
    ::testing::Values(
        Scenario{"FirstBackupCreatesTheFolderAndCopiesWhatExists",
                 {{"GameSave_Slot0.sav", "p1"}, {"Settings.sav", "s1"}, {"other.txt", "x"}},
                 Operation::Backup,
                 {{"GameSave_Slot0.sav", "p1"}, {"Settings.sav", "s1"}, {"other.txt", "x"},
                  kSavecopy, {"Savecopy\\GameSave_Slot0.sav", "p1"},
                  {"Savecopy\\Settings.sav", "s1"}}},
        Scenario{"AgainReplacesCopiesAndKeepsThoseWhoseLiveFileIsGone",
                 {{"GameSave_Slot0.sav", "p2"}, kSavecopy, {"Savecopy\\GameSave_Slot0.sav", "p1"},
                  {"Savecopy\\Settings_Backup.sav", "b1"}},
                 Operation::Backup,
                 {{"GameSave_Slot0.sav", "p2"}, kSavecopy, {"Savecopy\\GameSave_Slot0.sav", "p2"},
                  {"Savecopy\\Settings_Backup.sav", "b1"}}},
        Scenario{"NoLiveFilesStillCreatesTheFolder",
                 {},
                 Operation::Backup,
                 {kSavecopy}},
        Scenario{"PlainFileNamedSavecopyChangesNothing",
                 {{"GameSave_Slot0.sav", "p1"}, {"Savecopy", "not a folder"}},
                 Operation::Backup,
                 {{"GameSave_Slot0.sav", "p1"}, {"Savecopy", "not a folder"}}},
        Scenario{"ReadOnlyCopyIsKeptAndTheOthersStillCopied",
                 {{"GameSave_Slot0.sav", "p2"}, {"Settings.sav", "s2"}, kSavecopy,
                  {"Savecopy\\GameSave_Slot0.sav", "p1", true}},
                 Operation::Backup,
                 {{"GameSave_Slot0.sav", "p2"}, {"Settings.sav", "s2"}, kSavecopy,
                  {"Savecopy\\GameSave_Slot0.sav", "p1", true}, {"Savecopy\\Settings.sav", "s2"}}},
        Scenario{"HiddenCopyIsKept",
                 {{"Settings.sav", "s2"}, kSavecopy, {"Savecopy\\Settings.sav", "s1", false, true}},
                 Operation::Backup,
                 {{"Settings.sav", "s2"}, kSavecopy, {"Savecopy\\Settings.sav", "s1", false, true}}},
        Scenario{"ReadOnlyLiveFileIsCopiedOnceWithItsAttribute",
                 {{"Settings.sav", "s1", true}},
                 Operation::Backup,
                 {{"Settings.sav", "s1", true}, kSavecopy, {"Savecopy\\Settings.sav", "s1", true}}},
        Scenario{"FailedCopyKeepsTheOldCopyAndTheRestGoOn",
                 {{"GameSave_Slot0.sav", "p2"}, {"Settings.sav", "s2"}, kSavecopy,
                  {"Savecopy\\GameSave_Slot0.sav", "p1"}},
                 Operation::Backup,
                 {{"GameSave_Slot0.sav", "p2"}, {"Settings.sav", "s2"}, kSavecopy,
                  {"Savecopy\\GameSave_Slot0.sav", "p1"}, {"Savecopy\\Settings.sav", "s2"}},
                 {"Savecopy\\GameSave_Slot0.sav"}},
        Scenario{"OtherFilesInSavecopyAreUntouched",
                 {{"GameSave_Slot0.sav", "p2"}, kSavecopy, {"Savecopy\\notes.txt", "n"},
                  {"Savecopy\\GameSave_Slot1.sav", "q"}},
                 Operation::Backup,
                 {{"GameSave_Slot0.sav", "p2"}, kSavecopy, {"Savecopy\\notes.txt", "n"},
                  {"Savecopy\\GameSave_Slot1.sav", "q"}, {"Savecopy\\GameSave_Slot0.sav", "p2"}}}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Restore, SaveOperationsTest,
    ::testing::Values(
        Scenario{"NoSavecopyDoesNothing",
                 {{"GameSave_Slot0.sav", "p2"}, {"Settings.sav", "s2"}},
                 Operation::Restore,
                 {{"GameSave_Slot0.sav", "p2"}, {"Settings.sav", "s2"}}},
        Scenario{"OnlyEntriesWithACopyAreRestored",
                 {{"GameSave_Slot0.sav", "p2"}, {"Settings.sav", "s2"}, kSavecopy,
                  {"Savecopy\\GameSave_Slot0.sav", "p1"}},
                 Operation::Restore,
                 {{"GameSave_Slot0.sav", "p1"}, {"Settings.sav", "s2"}, kSavecopy,
                  {"Savecopy\\GameSave_Slot0.sav", "p1"}}},
        Scenario{"CopyWithoutLiveFileCreatesIt",
                 {{"GameSave_Slot0.sav", "p2"}, kSavecopy, {"Savecopy\\Settings_Backup.sav", "b1"}},
                 Operation::Restore,
                 {{"GameSave_Slot0.sav", "p2"}, {"Settings_Backup.sav", "b1"}, kSavecopy,
                  {"Savecopy\\Settings_Backup.sav", "b1"}}},
        Scenario{"PlainFileNamedSavecopyChangesNothing",
                 {{"GameSave_Slot0.sav", "p2"}, {"Savecopy", "not a folder"}},
                 Operation::Restore,
                 {{"GameSave_Slot0.sav", "p2"}, {"Savecopy", "not a folder"}}},
        Scenario{"ReadOnlyLiveFileIsKeptAndTheOthersRestored",
                 {{"GameSave_Slot0.sav", "p2", true}, {"Settings.sav", "s2"}, kSavecopy,
                  {"Savecopy\\GameSave_Slot0.sav", "p1"}, {"Savecopy\\Settings.sav", "s1"}},
                 Operation::Restore,
                 {{"GameSave_Slot0.sav", "p2", true}, {"Settings.sav", "s1"}, kSavecopy,
                  {"Savecopy\\GameSave_Slot0.sav", "p1"}, {"Savecopy\\Settings.sav", "s1"}}},
        Scenario{"HiddenWritableLiveFileIsReplaced",
                 {{"Settings.sav", "s2", false, true}, kSavecopy, {"Savecopy\\Settings.sav", "s1"}},
                 Operation::Restore,
                 {{"Settings.sav", "s1"}, kSavecopy, {"Savecopy\\Settings.sav", "s1"}}},
        Scenario{"FailedCopyKeepsTheLiveFileAndTheRestGoOn",
                 {{"GameSave_Slot0.sav", "p2"}, {"Settings.sav", "s2"}, kSavecopy,
                  {"Savecopy\\GameSave_Slot0.sav", "p1"}, {"Savecopy\\Settings.sav", "s1"}},
                 Operation::Restore,
                 {{"GameSave_Slot0.sav", "p2"}, {"Settings.sav", "s1"}, kSavecopy,
                  {"Savecopy\\GameSave_Slot0.sav", "p1"}, {"Savecopy\\Settings.sav", "s1"}},
                 {"GameSave_Slot0.sav"}},
        Scenario{"FolderInPlaceOfACopyKeepsTheLiveFile",
                 {{"GameSave_Slot0.sav", "p2"}, kSavecopy, {"Savecopy\\GameSave_Slot0.sav", kFolder}},
                 Operation::Restore,
                 {{"GameSave_Slot0.sav", "p2"}, kSavecopy,
                  {"Savecopy\\GameSave_Slot0.sav", kFolder}}}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(SaveOperations, BackupCallsInSaveSetOrderAfterCreatingTheFolder) {
  MemoryFileServices files;
  Plant(files, {{"GameSave_Slot0.sav", "p"}, {"Settings_Backup.sav", "b"}});
  BackupSaveSet(files, kRun);
  const std::vector<std::string> expected{
      "CreateFolder(D:\\Save\\Savecopy)",
      "FileExists(D:\\Save\\GameSave_Slot0.sav)",
      "CopyOver(D:\\Save\\GameSave_Slot0.sav>D:\\Save\\Savecopy\\GameSave_Slot0.sav)",
      "FileExists(D:\\Save\\GameSave_Slot0_Backup.sav)",
      "FileExists(D:\\Save\\Settings.sav)",
      "FileExists(D:\\Save\\Settings_Backup.sav)",
      "CopyOver(D:\\Save\\Settings_Backup.sav>D:\\Save\\Savecopy\\Settings_Backup.sav)",
  };
  EXPECT_EQ(files.calls, expected);
}

TEST(SaveOperations, RestoreTestsEachCopyInOrderAndNeverCreatesTheFolder) {
  MemoryFileServices files;
  Plant(files, {kSavecopy, {"Savecopy\\Settings.sav", "s"}});
  RestoreSaveSet(files, kRun);
  const std::vector<std::string> expected{
      "FileExists(D:\\Save\\Savecopy\\GameSave_Slot0.sav)",
      "FileExists(D:\\Save\\Savecopy\\GameSave_Slot0_Backup.sav)",
      "FileExists(D:\\Save\\Savecopy\\Settings.sav)",
      "CopyOver(D:\\Save\\Savecopy\\Settings.sav>D:\\Save\\Settings.sav)",
      "FileExists(D:\\Save\\Savecopy\\Settings_Backup.sav)",
  };
  EXPECT_EQ(files.calls, expected);
}

TEST(SaveOperations, RootOfADriveUsesTheRootsSavecopy) {
  MemoryFileServices files;
  files.AddFile("C:\\GameSave_Slot0.sav", "p");
  BackupSaveSet(files, "C:");
  EXPECT_EQ(files.Content("C:\\Savecopy\\GameSave_Slot0.sav"), "p");
}

struct LocationCase {
  const char* name;
  std::vector<Seed> present;
  bool passes;
};

class RunLocationCheckTest : public ::testing::TestWithParam<LocationCase> {};

TEST_P(RunLocationCheckTest, LooksOnlyAtThePrimarySave) {
  MemoryFileServices files;
  Plant(files, GetParam().present);
  EXPECT_EQ(RunLocationCheck(files, kRun), GetParam().passes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RunLocationCheckTest,
    ::testing::Values(
        LocationCase{"PrimaryAlone", {{"GameSave_Slot0.sav", "p"}}, true},
        LocationCase{"OthersWithoutPrimary",
                     {{"GameSave_Slot0_Backup.sav", "b"}, {"Settings.sav", "s"},
                      {"Settings_Backup.sav", "t"}, kSavecopy, {"Savecopy\\GameSave_Slot0.sav", "p"}},
                     false},
        LocationCase{"FolderNamedLikeThePrimary", {{"GameSave_Slot0.sav", kFolder}}, true},
        LocationCase{"HiddenReadOnlyPrimary", {{"GameSave_Slot0.sav", "p", true, true}}, true},
        LocationCase{"OtherLetterCase", {{"gamesave_slot0.SAV", "p"}}, true},
        LocationCase{"EmptyFolder", {}, false}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

}  // namespace
}  // namespace qsh

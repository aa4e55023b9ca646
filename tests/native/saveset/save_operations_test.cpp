#include "saveset/save_operations.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/native/saveset/memory_file_services.h"

namespace qsh {
namespace {

using testing::MemoryFileServices;

constexpr const wchar_t* kRun = L"D:\\Save";
constexpr const wchar_t* kFolder = L"<folder>";

// One file or folder below the run directory: L"Settings.sav" or
// L"Savecopy\\Settings.sav"; content kFolder makes a folder.
struct Seed {
  std::wstring relative;
  std::wstring content;
  bool readOnly = false;
  bool hidden = false;
};

enum class Operation { Backup, Restore };

struct Scenario {
  const char* name;
  std::vector<Seed> before;
  Operation operation;
  std::vector<Seed> after;            // the whole state afterwards
  std::vector<std::wstring> failing{};  // copy targets that fail, relative
};

std::wstring Under(const std::wstring& relative) { return std::wstring(kRun) + L"\\" + relative; }

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

std::map<std::wstring, std::wstring> StateOf(const std::vector<Seed>& seeds) {
  MemoryFileServices files;
  Plant(files, seeds);
  return files.Snapshot();
}

class SaveOperationsTest : public ::testing::TestWithParam<Scenario> {};

TEST_P(SaveOperationsTest, LeavesTheExpectedFiles) {
  const Scenario& s = GetParam();
  MemoryFileServices files;
  Plant(files, s.before);
  for (const std::wstring& target : s.failing) files.failingCopyTargets.insert(Under(target));

  if (s.operation == Operation::Backup) {
    BackupSaveSet(files, kRun);
  } else {
    RestoreSaveSet(files, kRun);
  }
  EXPECT_EQ(files.Snapshot(), StateOf(s.after));
}

const Seed kSavecopy{L"Savecopy", kFolder};

INSTANTIATE_TEST_SUITE_P(
    Backup, SaveOperationsTest,
    ::testing::Values(
        Scenario{"FirstBackupCreatesTheFolderAndCopiesWhatExists",
                 {{L"GameSave_Slot0.sav", L"p1"}, {L"Settings.sav", L"s1"}, {L"other.txt", L"x"}},
                 Operation::Backup,
                 {{L"GameSave_Slot0.sav", L"p1"}, {L"Settings.sav", L"s1"}, {L"other.txt", L"x"},
                  kSavecopy, {L"Savecopy\\GameSave_Slot0.sav", L"p1"},
                  {L"Savecopy\\Settings.sav", L"s1"}}},
        Scenario{"AgainReplacesCopiesAndKeepsThoseWhoseLiveFileIsGone",
                 {{L"GameSave_Slot0.sav", L"p2"}, kSavecopy, {L"Savecopy\\GameSave_Slot0.sav", L"p1"},
                  {L"Savecopy\\Settings_Backup.sav", L"b1"}},
                 Operation::Backup,
                 {{L"GameSave_Slot0.sav", L"p2"}, kSavecopy, {L"Savecopy\\GameSave_Slot0.sav", L"p2"},
                  {L"Savecopy\\Settings_Backup.sav", L"b1"}}},
        Scenario{"NoLiveFilesStillCreatesTheFolder",
                 {},
                 Operation::Backup,
                 {kSavecopy}},
        Scenario{"PlainFileNamedSavecopyChangesNothing",
                 {{L"GameSave_Slot0.sav", L"p1"}, {L"Savecopy", L"not a folder"}},
                 Operation::Backup,
                 {{L"GameSave_Slot0.sav", L"p1"}, {L"Savecopy", L"not a folder"}}},
        Scenario{"ReadOnlyCopyIsKeptAndTheOthersStillCopied",
                 {{L"GameSave_Slot0.sav", L"p2"}, {L"Settings.sav", L"s2"}, kSavecopy,
                  {L"Savecopy\\GameSave_Slot0.sav", L"p1", true}},
                 Operation::Backup,
                 {{L"GameSave_Slot0.sav", L"p2"}, {L"Settings.sav", L"s2"}, kSavecopy,
                  {L"Savecopy\\GameSave_Slot0.sav", L"p1", true}, {L"Savecopy\\Settings.sav", L"s2"}}},
        Scenario{"HiddenCopyIsKept",
                 {{L"Settings.sav", L"s2"}, kSavecopy, {L"Savecopy\\Settings.sav", L"s1", false, true}},
                 Operation::Backup,
                 {{L"Settings.sav", L"s2"}, kSavecopy, {L"Savecopy\\Settings.sav", L"s1", false, true}}},
        Scenario{"ReadOnlyLiveFileIsCopiedOnceWithItsAttribute",
                 {{L"Settings.sav", L"s1", true}},
                 Operation::Backup,
                 {{L"Settings.sav", L"s1", true}, kSavecopy, {L"Savecopy\\Settings.sav", L"s1", true}}},
        Scenario{"FailedCopyKeepsTheOldCopyAndTheRestGoOn",
                 {{L"GameSave_Slot0.sav", L"p2"}, {L"Settings.sav", L"s2"}, kSavecopy,
                  {L"Savecopy\\GameSave_Slot0.sav", L"p1"}},
                 Operation::Backup,
                 {{L"GameSave_Slot0.sav", L"p2"}, {L"Settings.sav", L"s2"}, kSavecopy,
                  {L"Savecopy\\GameSave_Slot0.sav", L"p1"}, {L"Savecopy\\Settings.sav", L"s2"}},
                 {L"Savecopy\\GameSave_Slot0.sav"}},
        Scenario{"OtherFilesInSavecopyAreUntouched",
                 {{L"GameSave_Slot0.sav", L"p2"}, kSavecopy, {L"Savecopy\\notes.txt", L"n"},
                  {L"Savecopy\\GameSave_Slot1.sav", L"q"}},
                 Operation::Backup,
                 {{L"GameSave_Slot0.sav", L"p2"}, kSavecopy, {L"Savecopy\\notes.txt", L"n"},
                  {L"Savecopy\\GameSave_Slot1.sav", L"q"}, {L"Savecopy\\GameSave_Slot0.sav", L"p2"}}}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Restore, SaveOperationsTest,
    ::testing::Values(
        Scenario{"NoSavecopyDoesNothing",
                 {{L"GameSave_Slot0.sav", L"p2"}, {L"Settings.sav", L"s2"}},
                 Operation::Restore,
                 {{L"GameSave_Slot0.sav", L"p2"}, {L"Settings.sav", L"s2"}}},
        Scenario{"OnlyEntriesWithACopyAreRestored",
                 {{L"GameSave_Slot0.sav", L"p2"}, {L"Settings.sav", L"s2"}, kSavecopy,
                  {L"Savecopy\\GameSave_Slot0.sav", L"p1"}},
                 Operation::Restore,
                 {{L"GameSave_Slot0.sav", L"p1"}, {L"Settings.sav", L"s2"}, kSavecopy,
                  {L"Savecopy\\GameSave_Slot0.sav", L"p1"}}},
        Scenario{"CopyWithoutLiveFileCreatesIt",
                 {{L"GameSave_Slot0.sav", L"p2"}, kSavecopy, {L"Savecopy\\Settings_Backup.sav", L"b1"}},
                 Operation::Restore,
                 {{L"GameSave_Slot0.sav", L"p2"}, {L"Settings_Backup.sav", L"b1"}, kSavecopy,
                  {L"Savecopy\\Settings_Backup.sav", L"b1"}}},
        Scenario{"PlainFileNamedSavecopyChangesNothing",
                 {{L"GameSave_Slot0.sav", L"p2"}, {L"Savecopy", L"not a folder"}},
                 Operation::Restore,
                 {{L"GameSave_Slot0.sav", L"p2"}, {L"Savecopy", L"not a folder"}}},
        Scenario{"ReadOnlyLiveFileIsKeptAndTheOthersRestored",
                 {{L"GameSave_Slot0.sav", L"p2", true}, {L"Settings.sav", L"s2"}, kSavecopy,
                  {L"Savecopy\\GameSave_Slot0.sav", L"p1"}, {L"Savecopy\\Settings.sav", L"s1"}},
                 Operation::Restore,
                 {{L"GameSave_Slot0.sav", L"p2", true}, {L"Settings.sav", L"s1"}, kSavecopy,
                  {L"Savecopy\\GameSave_Slot0.sav", L"p1"}, {L"Savecopy\\Settings.sav", L"s1"}}},
        Scenario{"HiddenWritableLiveFileIsReplaced",
                 {{L"Settings.sav", L"s2", false, true}, kSavecopy, {L"Savecopy\\Settings.sav", L"s1"}},
                 Operation::Restore,
                 {{L"Settings.sav", L"s1"}, kSavecopy, {L"Savecopy\\Settings.sav", L"s1"}}},
        Scenario{"FailedCopyKeepsTheLiveFileAndTheRestGoOn",
                 {{L"GameSave_Slot0.sav", L"p2"}, {L"Settings.sav", L"s2"}, kSavecopy,
                  {L"Savecopy\\GameSave_Slot0.sav", L"p1"}, {L"Savecopy\\Settings.sav", L"s1"}},
                 Operation::Restore,
                 {{L"GameSave_Slot0.sav", L"p2"}, {L"Settings.sav", L"s1"}, kSavecopy,
                  {L"Savecopy\\GameSave_Slot0.sav", L"p1"}, {L"Savecopy\\Settings.sav", L"s1"}},
                 {L"GameSave_Slot0.sav"}},
        Scenario{"FolderInPlaceOfACopyKeepsTheLiveFile",
                 {{L"GameSave_Slot0.sav", L"p2"}, kSavecopy, {L"Savecopy\\GameSave_Slot0.sav", kFolder}},
                 Operation::Restore,
                 {{L"GameSave_Slot0.sav", L"p2"}, kSavecopy,
                  {L"Savecopy\\GameSave_Slot0.sav", kFolder}}}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

// What a killed run may have left beside any of the eight targets goes
// first, at every press of either key.
std::vector<std::wstring> DiscardsOfEveryTarget() {
  std::vector<std::wstring> calls;
  for (const wchar_t* name : {L"GameSave_Slot0.sav", L"GameSave_Slot0_Backup.sav", L"Settings.sav",
                              L"Settings_Backup.sav"}) {
    calls.push_back(L"DiscardUnfinishedCopy(D:\\Save\\" + std::wstring(name) + L")");
    calls.push_back(L"DiscardUnfinishedCopy(D:\\Save\\Savecopy\\" + std::wstring(name) + L")");
  }
  return calls;
}

std::vector<std::wstring> Joined(std::vector<std::wstring> first,
                                 const std::vector<std::wstring>& then) {
  first.insert(first.end(), then.begin(), then.end());
  return first;
}

TEST(SaveOperations, BackupCallsInSaveSetOrderAfterCreatingTheFolder) {
  MemoryFileServices files;
  Plant(files, {{L"GameSave_Slot0.sav", L"p"}, {L"Settings_Backup.sav", L"b"}});
  BackupSaveSet(files, kRun);
  const std::vector<std::wstring> expected = Joined(DiscardsOfEveryTarget(), {
      L"CreateFolder(D:\\Save\\Savecopy)",
      L"FileExists(D:\\Save\\GameSave_Slot0.sav)",
      L"CopyOver(D:\\Save\\GameSave_Slot0.sav>D:\\Save\\Savecopy\\GameSave_Slot0.sav)"
      L"[refuse hidden, keep held]",
      L"FileExists(D:\\Save\\GameSave_Slot0_Backup.sav)",
      L"FileExists(D:\\Save\\Settings.sav)",
      L"FileExists(D:\\Save\\Settings_Backup.sav)",
      L"CopyOver(D:\\Save\\Settings_Backup.sav>D:\\Save\\Savecopy\\Settings_Backup.sav)"
      L"[refuse hidden, keep held]",
      L"FlushFolder(D:\\Save\\Savecopy)",
  });
  EXPECT_EQ(files.calls, expected);
}

TEST(SaveOperations, RestoreTestsEachCopyInOrderAndNeverCreatesTheFolder) {
  MemoryFileServices files;
  Plant(files, {kSavecopy, {L"Savecopy\\Settings.sav", L"s"}});
  RestoreSaveSet(files, kRun);
  const std::vector<std::wstring> expected = Joined(DiscardsOfEveryTarget(), {
      L"FileExists(D:\\Save\\Savecopy\\GameSave_Slot0.sav)",
      L"FileExists(D:\\Save\\Savecopy\\GameSave_Slot0_Backup.sav)",
      L"FileExists(D:\\Save\\Savecopy\\Settings.sav)",
      L"CopyOver(D:\\Save\\Savecopy\\Settings.sav>D:\\Save\\Settings.sav)"
      L"[replace hidden, overwrite held]",
      L"FileExists(D:\\Save\\Savecopy\\Settings_Backup.sav)",
      L"FlushFolder(D:\\Save)",
  });
  EXPECT_EQ(files.calls, expected);
}

TEST(SaveOperations, RootOfADriveUsesTheRootsSavecopy) {
  MemoryFileServices files;
  files.AddFile(L"C:\\GameSave_Slot0.sav", L"p");
  BackupSaveSet(files, L"C:");
  EXPECT_EQ(files.Content(L"C:\\Savecopy\\GameSave_Slot0.sav"), L"p");
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
        LocationCase{"PrimaryAlone", {{L"GameSave_Slot0.sav", L"p"}}, true},
        LocationCase{"OthersWithoutPrimary",
                     {{L"GameSave_Slot0_Backup.sav", L"b"}, {L"Settings.sav", L"s"},
                      {L"Settings_Backup.sav", L"t"}, kSavecopy, {L"Savecopy\\GameSave_Slot0.sav", L"p"}},
                     false},
        LocationCase{"EmptyFolder", {}, false}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

}  // namespace
}  // namespace qsh

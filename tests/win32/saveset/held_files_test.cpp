// Save files that another process keeps open while F9 or F10 copies them:
// a game that holds its save for writing but shares reading and writing, a
// viewer that holds a copy, a scanner that holds a file for a moment.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "platform/kernel_handles.h"
#include "saveset/save_operations.h"
#include "saveset/win32/win32_file_services.h"
#include "tests/win32/saveset/holder.h"
#include "tests/win32/saveset/test_files.h"

namespace qsh {
namespace {

using testing::AttributesOf;
using testing::HolderProcess;
using testing::Listing;
using testing::ReadWholeFile;
using testing::ScratchFolder;
using testing::SetAttributes;
using testing::WriteWholeFile;

const std::wstring kAll = L"GameSave_Slot0.sav|GameSave_Slot0_Backup.sav|Settings.sav|Settings_Backup.sav";

class HeldFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const wchar_t* name : {L"GameSave_Slot0.sav", L"GameSave_Slot0_Backup.sav",
                                L"Settings.sav", L"Settings_Backup.sav"})
      WriteWholeFile(Live(name), "live " + std::string(name, name + 4));
  }
  std::wstring Live(const std::wstring& name) const { return run / name; }
  std::wstring Copy(const std::wstring& name) const { return run / (L"Savecopy\\" + name); }
  void ExpectNothingStray() const {
    EXPECT_EQ(Listing(run.path()),
              L"GameSave_Slot0.sav|GameSave_Slot0_Backup.sav|Savecopy|Settings.sav|"
              L"Settings_Backup.sav")
        << "a file was left in the save folder";
    EXPECT_EQ(Listing(run / L"Savecopy"), kAll) << "a file was left in Savecopy";
  }

  ScratchFolder run;
  ScratchFolder signals;  // the holder's ready file, outside the save folder
  Win32FileServices files;
  HolderProcess holder;
};

TEST_F(HeldFileTest, SaveHeldByTheGameSharingWritesIsBackedUpAndRestoredInPlace) {
  const std::string snapshot(3 << 20, 's');  // more than one chunk of the copy
  WriteWholeFile(Live(L"Settings.sav"), snapshot);
  holder.Start(Live(L"Settings.sav"), L"rw", signals / L"ready");
  ASSERT_FALSE(HasFatalFailure());

  BackupSaveSet(files, run.path());
  EXPECT_EQ(ReadWholeFile(Copy(L"Settings.sav")), snapshot) << "the held save was not backed up";

  WriteWholeFile(Live(L"GameSave_Slot0.sav"), "later");
  {
    // The game goes on writing: a longer save than the snapshot.
    UniqueFile game(::CreateFileW(Live(L"Settings.sav").c_str(), GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                  nullptr));
    ASSERT_TRUE(game.valid());
    const std::string later((4 << 20) + 17, 'l');
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(game.get(), later.data(), static_cast<DWORD>(later.size()), &written,
                            nullptr));
  }
  RestoreSaveSet(files, run.path());
  EXPECT_EQ(ReadWholeFile(Live(L"Settings.sav")), snapshot)
      << "the held save was not restored in place, or not cut to the snapshot's length";
  EXPECT_EQ(ReadWholeFile(Live(L"GameSave_Slot0.sav")), "live Game");
  ExpectNothingStray();
  holder.Stop();
  EXPECT_EQ(ReadWholeFile(Live(L"Settings.sav")), snapshot);
}

// A live file held in a way that shares neither writing nor removal keeps
// its content, and so does a read-only one even when writing is shared.
struct KeptCase {
  const char* name;
  std::wstring share;
  bool readOnly;
};

class KeptLiveFileTest : public HeldFileTest, public ::testing::WithParamInterface<KeptCase> {};

TEST_P(KeptLiveFileTest, RestoreLeavesItAndRestoresTheOthers) {
  BackupSaveSet(files, run.path());
  for (const wchar_t* name : {L"GameSave_Slot0.sav", L"Settings.sav"})
    WriteWholeFile(Live(name), "changed");
  if (GetParam().readOnly) SetAttributes(Live(L"Settings.sav"), FILE_ATTRIBUTE_READONLY);
  holder.Start(Live(L"Settings.sav"), GetParam().share, signals / L"ready");
  ASSERT_FALSE(HasFatalFailure());

  RestoreSaveSet(files, run.path());
  holder.Stop();
  EXPECT_EQ(ReadWholeFile(Live(L"Settings.sav")), "changed");
  EXPECT_EQ(ReadWholeFile(Live(L"GameSave_Slot0.sav")), "live Game");
  ExpectNothingStray();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeptLiveFileTest,
    ::testing::Values(KeptCase{"SharingReadOnly", L"r", false},
                      KeptCase{"SharingNothing", L"-", false},
                      KeptCase{"ReadOnlySharingWrites", L"rw", true}),
    [](const auto& c) { return std::string(c.param.name); });

TEST_F(HeldFileTest, CopyHeldOpenByAViewerIsNeverOverwrittenInPlace) {
  BackupSaveSet(files, run.path());
  WriteWholeFile(Live(L"Settings.sav"), "newer");
  WriteWholeFile(Live(L"GameSave_Slot0.sav"), "newer too");
  holder.Start(Copy(L"Settings.sav"), L"rw", signals / L"ready");
  ASSERT_FALSE(HasFatalFailure());

  BackupSaveSet(files, run.path());
  holder.Stop();
  EXPECT_EQ(ReadWholeFile(Copy(L"Settings.sav")), "live Sett")
      << "a snapshot is only ever replaced whole";
  EXPECT_EQ(ReadWholeFile(Copy(L"GameSave_Slot0.sav")), "newer too");
  ExpectNothingStray();
}

// A scanner that holds the copy for a moment: the replacement is tried
// again until it goes through. The retry here is long, so that the holder's
// release always falls within it however busy the machine is.
TEST_F(HeldFileTest, ReplacementWaitsForAMomentaryHolder) {
  BackupSaveSet(files, run.path());
  WriteWholeFile(Live(L"Settings.sav"), "newer");
  UniqueFile scanner(::CreateFileW(Copy(L"Settings.sav").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                   nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(scanner.valid());
  std::thread release([&scanner] {
    ::Sleep(300);
    scanner.reset();
  });
  Win32FileServices patient(BusyRetry{.attempts = 600, .pauseMilliseconds = 50});
  BackupSaveSet(patient, run.path());
  release.join();
  EXPECT_EQ(ReadWholeFile(Copy(L"Settings.sav")), "newer");
  ExpectNothingStray();
}

}  // namespace
}  // namespace qsh

// A save folder on a volume with too little room for one more copy: the
// copy fails, and what was there before must survive whole.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/kernel_handles.h"
#include "saveset/save_operations.h"
#include "saveset/win32/win32_file_services.h"
#include "tests/win32/saveset/test_files.h"

namespace qsh {
namespace {

using testing::CountMatches;
using testing::ReadWholeFile;
using testing::ScratchFolder;
using testing::WriteWholeFile;

constexpr std::size_t kSaveSize = 256 * 1024;

// Fills the volume until fewer than `leave` bytes are free.
void FillVolume(const std::wstring& filler, ULONGLONG leave) {
  ULARGE_INTEGER freeBytes{};
  ASSERT_TRUE(::GetDiskFreeSpaceExW(filler.substr(0, filler.rfind(L'\\') + 1).c_str(), &freeBytes,
                                    nullptr, nullptr));
  ASSERT_GT(freeBytes.QuadPart, leave) << "the small volume is already too full";
  UniqueFile file(::CreateFileW(filler.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file.valid());
  const std::string block(4096, 'f');
  ULONGLONG toWrite = freeBytes.QuadPart - leave;
  while (toWrite >= block.size()) {
    DWORD written = 0;
    if (!::WriteFile(file.get(), block.data(), static_cast<DWORD>(block.size()), &written,
                     nullptr) || written == 0)
      break;
    toWrite -= written;
  }
  ASSERT_TRUE(::FlushFileBuffers(file.get()));
}

class DiskFullTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const wchar_t* volume = ::_wgetenv(L"QSH_SMALL_VOLUME");
    if (!volume || !*volume)
      GTEST_SKIP() << "QSH_SMALL_VOLUME is not set: no small volume could be mounted here";
    run_.emplace(volume);
  }
  std::wstring At(const std::wstring& relative) const { return *run_ / relative; }
  std::optional<ScratchFolder> run_;
  Win32FileServices files_;
};

TEST_F(DiskFullTest, FailedBackupKeepsThePreviousSnapshotWhole) {
  const std::string oldSnapshot(kSaveSize, 'o');
  ASSERT_TRUE(::CreateDirectoryW(At(L"Savecopy").c_str(), nullptr));
  WriteWholeFile(At(L"Savecopy\\GameSave_Slot0.sav"), oldSnapshot);
  WriteWholeFile(At(L"GameSave_Slot0.sav"), std::string(kSaveSize, 'n'));
  FillVolume(At(L"filler"), kSaveSize / 2);

  BackupSaveSet(files_, run_->path());
  EXPECT_EQ(ReadWholeFile(At(L"Savecopy\\GameSave_Slot0.sav")), oldSnapshot)
      << "the previous snapshot must survive a backup that ran out of room";
  EXPECT_EQ(CountMatches(At(L"Savecopy"), L"*.qsh-staging"), 0);
}

TEST_F(DiskFullTest, FailedRestoreKeepsTheLiveFileWhole) {
  const std::string live(kSaveSize, 'l');
  ASSERT_TRUE(::CreateDirectoryW(At(L"Savecopy").c_str(), nullptr));
  WriteWholeFile(At(L"Savecopy\\GameSave_Slot0.sav"), std::string(kSaveSize, 's'));
  WriteWholeFile(At(L"GameSave_Slot0.sav"), live);
  FillVolume(At(L"filler"), kSaveSize / 2);

  RestoreSaveSet(files_, run_->path());
  EXPECT_EQ(ReadWholeFile(At(L"GameSave_Slot0.sav")), live)
      << "the live save must survive a restore that ran out of room";
  EXPECT_EQ(CountMatches(run_->path(), L"*.qsh-staging"), 0);
}

}  // namespace
}  // namespace qsh

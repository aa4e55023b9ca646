#include "saveset/save_set.h"

#include <gtest/gtest.h>

namespace qsh {
namespace {

TEST(SaveSet, HasTheFourFilesInTheirOrder) {
  ASSERT_EQ(kSaveSet.size(), 4u);
  EXPECT_EQ(kSaveSet[0].fileName, L"GameSave_Slot0.sav");
  EXPECT_EQ(kSaveSet[1].fileName, L"GameSave_Slot0_Backup.sav");
  EXPECT_EQ(kSaveSet[2].fileName, L"Settings.sav");
  EXPECT_EQ(kSaveSet[3].fileName, L"Settings_Backup.sav");
  for (const SaveSetEntry& entry : kSaveSet) {
    EXPECT_EQ(entry.liveTail, L"\\" + std::wstring(entry.fileName));
    EXPECT_EQ(entry.backupTail, L"\\Savecopy\\" + std::wstring(entry.fileName));
  }
}

struct ComposeCase {
  const char* what;
  std::wstring_view runDirectory;
  std::wstring primary;
  std::wstring folder;
};

class ComposePathTest : public ::testing::TestWithParam<ComposeCase> {};

TEST_P(ComposePathTest, JoinsWithExactlyOneSeparator) {
  const ComposeCase& c = GetParam();
  EXPECT_EQ(LivePath(c.runDirectory, kPrimarySave), c.primary) << c.what;
  EXPECT_EQ(BackupFolderPath(c.runDirectory), c.folder) << c.what;
}

const std::wstring kLongFolder = L"D:\\" + std::wstring(400, L'x');

INSTANTIATE_TEST_SUITE_P(
    Cases, ComposePathTest,
    ::testing::Values(
        ComposeCase{"ordinary folder", L"D:\\Save", L"D:\\Save\\GameSave_Slot0.sav",
                    L"D:\\Save\\Savecopy"},
        ComposeCase{"root of a drive", L"C:", L"C:\\GameSave_Slot0.sav", L"C:\\Savecopy"},
        ComposeCase{"empty run directory leaves the tail", L"", L"\\GameSave_Slot0.sav",
                    L"\\Savecopy"},
        ComposeCase{"Korean folder", L"C:\\Users\\민준\\세이브", L"C:\\Users\\민준\\세이브\\GameSave_Slot0.sav",
                    L"C:\\Users\\민준\\세이브\\Savecopy"},
        ComposeCase{"longer than 260 characters", kLongFolder,
                    kLongFolder + L"\\GameSave_Slot0.sav", kLongFolder + L"\\Savecopy"}));

TEST(ComposePath, BackupPathOfTheLastEntry) {
  EXPECT_EQ(BackupPath(L"D:\\Save", kSaveSet[3]), L"D:\\Save\\Savecopy\\Settings_Backup.sav");
}

}  // namespace
}  // namespace qsh

#include "saveset/save_set.h"

#include <gtest/gtest.h>

namespace qsh {
namespace {

TEST(SaveSet, HasTheFourFilesInTheirOrder) {
  ASSERT_EQ(kSaveSet.size(), 4u);
  EXPECT_EQ(kSaveSet[0].fileName, "GameSave_Slot0.sav");
  EXPECT_EQ(kSaveSet[1].fileName, "GameSave_Slot0_Backup.sav");
  EXPECT_EQ(kSaveSet[2].fileName, "Settings.sav");
  EXPECT_EQ(kSaveSet[3].fileName, "Settings_Backup.sav");
  for (const SaveSetEntry& entry : kSaveSet) {
    EXPECT_EQ(entry.liveTail, "\\" + std::string(entry.fileName));
    EXPECT_EQ(entry.backupTail, "\\Savecopy\\" + std::string(entry.fileName));
  }
}

TEST(ComposePath, JoinsWithExactlyOneSeparator) {
  EXPECT_EQ(LivePath("D:\\Save", kPrimarySave), "D:\\Save\\GameSave_Slot0.sav");
  EXPECT_EQ(BackupPath("D:\\Save", kSaveSet[3]), "D:\\Save\\Savecopy\\Settings_Backup.sav");
  EXPECT_EQ(BackupFolderPath("D:\\Save"), "D:\\Save\\Savecopy");
}

TEST(ComposePath, RootOfADrive) {
  EXPECT_EQ(LivePath("C:", kPrimarySave), "C:\\GameSave_Slot0.sav");
  EXPECT_EQ(BackupFolderPath("C:"), "C:\\Savecopy");
}

TEST(ComposePath, EmptyRunDirectoryLeavesTheTail) {
  EXPECT_EQ(LivePath("", kPrimarySave), "\\GameSave_Slot0.sav");
  EXPECT_EQ(BackupFolderPath(""), "\\Savecopy");
}

}  // namespace
}  // namespace qsh

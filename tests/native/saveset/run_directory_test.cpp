#include "saveset/run_directory.h"

#include <gtest/gtest.h>

namespace qsh {
namespace {

struct ModulePathCase {
  const char* what;
  std::string_view modulePath;
  std::string_view runDirectory;
};

class RunDirectoryFromModulePathTest : public ::testing::TestWithParam<ModulePathCase> {};

TEST_P(RunDirectoryFromModulePathTest, DropsTheLastSeparatorAndTheName) {
  const ModulePathCase& c = GetParam();
  EXPECT_EQ(RunDirectoryFromModulePath(c.modulePath, IsCodePage936LeadByte), c.runDirectory)
      << c.what;
}

// "\x81\x5C" is one GBK character whose trail byte is a backslash.
INSTANTIATE_TEST_SUITE_P(
    Cases, RunDirectoryFromModulePathTest,
    ::testing::Values(
        ModulePathCase{"ordinary folder", "D:\\Games\\Save\\helper.exe", "D:\\Games\\Save"},
        ModulePathCase{"root of a drive", "C:\\tool.exe", "C:"},
        ModulePathCase{"trail byte 0x5C inside the folder name",
                       "D:\\\xB4\xE6\x81\x5C\\helper.exe", "D:\\\xB4\xE6\x81\x5C"},
        ModulePathCase{"trail byte 0x5C ends the file name",
                       "D:\\Save\\\x81\x5C", "D:\\Save"},
        ModulePathCase{"only a trail byte 0x5C, no separator", "\x81\x5Chelper.exe", ""},
        ModulePathCase{"no backslash at all", "helper.exe", ""},
        ModulePathCase{"empty path", "", ""},
        ModulePathCase{"lone lead byte at the end", "D:\\Save\\x\x81", "D:\\Save"},
        ModulePathCase{"UNC share", "\\\\server\\share\\helper.exe", "\\\\server\\share"}));

TEST(CodePage936LeadByte, CoversExactlyTheDoubleByteRange) {
  EXPECT_FALSE(IsCodePage936LeadByte(0x80));
  EXPECT_TRUE(IsCodePage936LeadByte(0x81));
  EXPECT_TRUE(IsCodePage936LeadByte(0xFE));
  EXPECT_FALSE(IsCodePage936LeadByte(0xFF));
  EXPECT_FALSE(IsCodePage936LeadByte('\\'));
}

struct ModuleQueryCase {
  const char* what;
  std::size_t reportedLength;
  std::size_t bufferSize;
  std::string_view runDirectory;
};

class RunDirectoryFromModuleQueryTest : public ::testing::TestWithParam<ModuleQueryCase> {};

TEST_P(RunDirectoryFromModuleQueryTest, NeverUsesAPathThatWasCutShort) {
  const ModuleQueryCase& c = GetParam();
  const std::string_view filled = "C:\\Games\\helper.exe";
  EXPECT_EQ(RunDirectoryFromModuleQuery(filled, c.reportedLength, c.bufferSize,
                                        IsCodePage936LeadByte),
            c.runDirectory)
      << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RunDirectoryFromModuleQueryTest,
    ::testing::Values(ModuleQueryCase{"fits", 19, 260, "C:\\Games"},
                      ModuleQueryCase{"fits with one byte to spare", 19, 20, "C:\\Games"},
                      ModuleQueryCase{"filled the whole buffer: cut short", 19, 19, ""},
                      ModuleQueryCase{"the call failed", 0, 260, ""},
                      ModuleQueryCase{"reported beyond what was filled", 25, 260, ""}));

}  // namespace
}  // namespace qsh

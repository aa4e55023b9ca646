#include "saveset/extended_path.h"

#include <gtest/gtest.h>

namespace qsh {
namespace {

struct ExtendedCase {
  const char* what;
  std::wstring path;
  std::wstring extended;
};

class ExtendedLengthPathTest : public ::testing::TestWithParam<ExtendedCase> {};

TEST_P(ExtendedLengthPathTest, GivesFullPathsTheirExtendedForm) {
  const ExtendedCase& c = GetParam();
  EXPECT_EQ(ExtendedLengthPath(c.path), c.extended) << c.what;
}

const std::wstring kLong = std::wstring(300, L'l');

INSTANTIATE_TEST_SUITE_P(
    Cases, ExtendedLengthPathTest,
    ::testing::Values(
        ExtendedCase{"drive path", L"C:\\Save\\a.sav", L"\\\\?\\C:\\Save\\a.sav"},
        ExtendedCase{"small drive letter", L"z:\\a", L"\\\\?\\z:\\a"},
        ExtendedCase{"root of a drive", L"C:\\GameSave_Slot0.sav", L"\\\\?\\C:\\GameSave_Slot0.sav"},
        ExtendedCase{"long drive path", L"D:\\" + kLong + L"\\Savecopy",
                     L"\\\\?\\D:\\" + kLong + L"\\Savecopy"},
        ExtendedCase{"name ending in a dot", L"D:\\save.\\a", L"\\\\?\\D:\\save.\\a"},
        ExtendedCase{"Korean folder", L"C:\\세이브\\a", L"\\\\?\\C:\\세이브\\a"},
        ExtendedCase{"share", L"\\\\server\\share\\a.sav", L"\\\\?\\UNC\\server\\share\\a.sav"},
        ExtendedCase{"already extended", L"\\\\?\\C:\\a", L"\\\\?\\C:\\a"},
        ExtendedCase{"already extended share", L"\\\\?\\UNC\\s\\h\\a", L"\\\\?\\UNC\\s\\h\\a"},
        ExtendedCase{"device path", L"\\\\.\\C:\\a", L"\\\\.\\C:\\a"},
        ExtendedCase{"relative to the drive's root (no run directory)", L"\\GameSave_Slot0.sav",
                     L"\\GameSave_Slot0.sav"},
        ExtendedCase{"drive-relative", L"C:a.sav", L"C:a.sav"},
        ExtendedCase{"three backslashes", L"\\\\\\x", L"\\\\\\x"},
        ExtendedCase{"empty", L"", L""}));

}  // namespace
}  // namespace qsh

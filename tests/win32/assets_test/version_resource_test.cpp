// The version resource that Explorer's properties page shows.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "assets/resource_ids.h"

namespace qsh::test {
namespace {

// The version block of this very executable, read the way Explorer reads it.
std::vector<char> OwnVersionBlock() {
  char path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeA(path, &ignored);
  if (size == 0) return {};
  std::vector<char> block(size);
  if (!::GetFileVersionInfoA(path, 0, size, block.data())) return {};
  return block;
}

// A string value of the Simplified Chinese, Unicode string table, in the ANSI
// code page; "<missing>" when there is none.
std::string StringValue(std::vector<char>& block, const std::string& name) {
  void* value = nullptr;
  UINT length = 0;
  const std::string query = "\\StringFileInfo\\080404B0\\" + name;
  if (!::VerQueryValueA(block.data(), query.c_str(), &value, &length) || value == nullptr) {
    return "<missing>";
  }
  return static_cast<const char*>(value);
}

TEST(VersionResource, FixedPartSaysVersion1_0_1_0OfAnApplication) {
  std::vector<char> block = OwnVersionBlock();
  ASSERT_FALSE(block.empty()) << "no version resource: " << ::GetLastError();
  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueA(block.data(), "\\", &value, &length));
  ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
  EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS_NT_WINDOWS32));
}

TEST(VersionResource, TranslationIsSimplifiedChineseInUnicode) {
  std::vector<char> block = OwnVersionBlock();
  ASSERT_FALSE(block.empty());
  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length));
  ASSERT_EQ(length, 4u);
  const auto* pair = static_cast<const WORD*>(value);
  EXPECT_EQ(pair[0], 0x0804);
  EXPECT_EQ(pair[1], 1200);
}

TEST(VersionResource, StringsNameTheProgramItsVersionAndItsAuthor) {
  std::vector<char> block = OwnVersionBlock();
  ASSERT_FALSE(block.empty());
  struct Expected {
    const char* name;
    const char* text;  // GBK, as the ANSI functions give it on a Chinese system
  };
  const Expected expected[] = {
      {"FileVersion", "1.01"},
      {"ProductVersion", "1.01"},
      {"ProductName", "Qelvarin(zorvex) 存档辅助器"},
      {"FileDescription", "Qelvarin(zorvex) 存档辅助器"},
      {"InternalName", "QelvarinSaveHelper.exe"},
      {"OriginalFilename", "QelvarinSaveHelper.exe"},
      {"CompanyName", "Tamrow Lunwick"},
      {"LegalCopyright", "Copyright (C) Tamrow Lunwick"},
  };
  for (const Expected& e : expected) {
    EXPECT_EQ(StringValue(block, e.name), e.text) << e.name;
  }
}

}  // namespace
}  // namespace qsh::test

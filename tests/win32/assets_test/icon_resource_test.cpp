// The program icon: its nine images, and what the system makes of them.

#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "assets/resource_ids.h"
#include "icon_parts.h"
#include "module_resource.h"

namespace qsh::test {
namespace {

#pragma pack(push, 2)
struct GroupIconHeader {
  WORD reserved;
  WORD type;
  WORD count;
};
struct GroupIconEntry {
  BYTE width;
  BYTE height;
  BYTE colourCount;
  BYTE reserved;
  WORD planes;
  WORD bitCount;
  DWORD bytesInResource;
  WORD id;
};
#pragma pack(pop)
static_assert(sizeof(GroupIconHeader) == 6 && sizeof(GroupIconEntry) == 14);

struct ExpectedImage {
  int size;
  WORD bits;
  bool png;
};
constexpr std::array<ExpectedImage, 9> kImages{{{16, 4, false},
                                                {16, 8, false},
                                                {16, 32, false},
                                                {32, 4, false},
                                                {32, 8, false},
                                                {32, 32, false},
                                                {48, 8, false},
                                                {48, 32, false},
                                                {256, 32, true}}};

std::vector<GroupIconEntry> GroupEntries() {
  const auto group = ModuleResource(MAKEINTRESOURCEA(IDI_APP_ICON), MAKEINTRESOURCEA(14));
  GroupIconHeader header{};
  if (!ReadAt(group, 0, header) || header.type != 1) return {};
  std::vector<GroupIconEntry> entries(header.count);
  for (WORD i = 0; i < header.count; ++i) {
    if (!ReadAt(group, sizeof header + i * sizeof(GroupIconEntry), entries[i])) return {};
  }
  return entries;
}

TEST(IconResource, GroupHoldsTheNineImages) {
  const std::vector<GroupIconEntry> entries = GroupEntries();
  ASSERT_EQ(entries.size(), kImages.size());
  for (std::size_t i = 0; i < kImages.size(); ++i) {
    SCOPED_TRACE(testing::Message() << kImages[i].size << " px, " << kImages[i].bits << " bpp");
    const GroupIconEntry& entry = entries[i];
    const int width = entry.width == 0 ? 256 : entry.width;
    const int height = entry.height == 0 ? 256 : entry.height;
    EXPECT_EQ(width, kImages[i].size);
    EXPECT_EQ(height, kImages[i].size);
    EXPECT_EQ(entry.bitCount, kImages[i].bits);
    EXPECT_EQ(entry.planes, 1);

    const auto image = ModuleResource(MAKEINTRESOURCEA(entry.id), MAKEINTRESOURCEA(3));  // RT_ICON
    ASSERT_EQ(image.size(), entry.bytesInResource);
    if (kImages[i].png) {
      constexpr std::array<std::uint8_t, 8> kSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
      ASSERT_GT(image.size(), 24u);
      EXPECT_EQ(std::memcmp(image.data(), kSignature.data(), kSignature.size()), 0);
      // IHDR follows the signature: width and height, big-endian.
      const auto bigEndian = [&](std::size_t at) {
        return image[at] << 24 | image[at + 1] << 16 | image[at + 2] << 8 | image[at + 3];
      };
      EXPECT_EQ(bigEndian(16), 256);
      EXPECT_EQ(bigEndian(20), 256);
    } else {
      BITMAPINFOHEADER header{};
      ASSERT_TRUE(ReadAt(image, 0, header));
      EXPECT_EQ(header.biWidth, kImages[i].size);
      EXPECT_EQ(header.biHeight, 2 * kImages[i].size) << "colour image and AND mask";
      EXPECT_EQ(header.biBitCount, kImages[i].bits);
      EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
    }
  }
}

TEST(IconResource, LoadsAtEverySizeTheWindowAndShellAskFor) {
  for (const int size : {16, 32, 48, 256}) {
    SCOPED_TRACE(testing::Message() << size << " px");
    UniqueIcon icon(static_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr),
                                                    MAKEINTRESOURCEA(IDI_APP_ICON), IMAGE_ICON,
                                                    size, size, LR_DEFAULTCOLOR)));
    ASSERT_TRUE(icon) << "LoadImageA failed: " << ::GetLastError();
    const IconParts parts = ReadIconParts(icon.get());
    ASSERT_TRUE(parts.read);
    EXPECT_TRUE(parts.isIcon);
    const BitmapShape shape = ShapeOf(parts.color.get());
    EXPECT_EQ(shape.width, size);
    EXPECT_EQ(shape.height, size);
  }
}

BOOL CALLBACK CollectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR names) {
  auto* collected = reinterpret_cast<std::vector<ULONG_PTR>*>(names);
  // Named groups would be listed (and picked by the shell) before numbered ones.
  collected->push_back(IS_INTRESOURCE(name) ? reinterpret_cast<ULONG_PTR>(name) : 0);
  return TRUE;
}

TEST(IconResource, IsTheExecutablesOnlyIconGroup) {
  std::vector<ULONG_PTR> names;
  ::EnumResourceNamesA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(14), CollectName,
                       reinterpret_cast<LONG_PTR>(&names));
  EXPECT_EQ(names, std::vector<ULONG_PTR>{IDI_APP_ICON});
}

}  // namespace
}  // namespace qsh::test

// The application manifest the loader reads when the process starts.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "module_resource.h"

namespace qsh::test {
namespace {

std::string OwnManifest() {
  // CREATEPROCESS_MANIFEST_RESOURCE_ID (1) of type RT_MANIFEST (24).
  const auto bytes = ModuleResource(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

TEST(ManifestResource, IsTheProcessManifest) {
  const std::string manifest = OwnManifest();
  ASSERT_FALSE(manifest.empty()) << "no RT_MANIFEST resource 1";
  EXPECT_EQ(manifest.rfind("<?xml", 0), 0u);
  EXPECT_NE(manifest.find("</assembly>"), std::string::npos);
}

TEST(ManifestResource, RunsAsInvokerWithoutUiAccessOrDpiAwareness) {
  const std::string manifest = OwnManifest();
  EXPECT_NE(manifest.find(R"(level="asInvoker")"), std::string::npos);
  EXPECT_NE(manifest.find(R"(uiAccess="false")"), std::string::npos);
  EXPECT_NE(manifest.find(">false</dpiAware>"), std::string::npos);
  // The controls keep their classic look: no common-controls version 6.
  EXPECT_EQ(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
}

TEST(ManifestResource, AsksForGdiScalingInItsOwnNamespace) {
  const std::string manifest = OwnManifest();
  // Windows reads the setting only in the 2017 namespace, inside windowsSettings.
  const std::size_t settings = manifest.find("<windowsSettings>");
  const std::size_t scaling = manifest.find(
      R"(<gdiScaling xmlns="http://schemas.microsoft.com/SMI/2017/WindowsSettings">true</gdiScaling>)");
  const std::size_t settingsEnd = manifest.find("</windowsSettings>");
  ASSERT_NE(settings, std::string::npos);
  ASSERT_NE(scaling, std::string::npos);
  ASSERT_NE(settingsEnd, std::string::npos);
  EXPECT_LT(settings, scaling);
  EXPECT_LT(scaling, settingsEnd);
  EXPECT_EQ(manifest.find("<gdiScaling", scaling + 1), std::string::npos) << "declared once";
}

TEST(ManifestResource, DeclaresEveryWindowsFromVistaOn) {
  const std::string manifest = OwnManifest();
  constexpr std::string_view kSystems[] = {
      "{e2011457-1546-43c5-a5fe-008deee3d3f0}",  // Vista
      "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // 7
      "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
      "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
      "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
  };
  for (const std::string_view id : kSystems) {
    EXPECT_NE(manifest.find("<supportedOS Id=\"" + std::string(id) + "\"/>"), std::string::npos)
        << id;
  }
}

}  // namespace
}  // namespace qsh::test

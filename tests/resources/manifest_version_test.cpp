// The application manifest and the version block, read back from the built
// executables the way Windows reads them.
#include <windows.h>

#include <string>

#include "built_exe.h"
#include "config/product_config.h"

namespace {

using ManifestResource = BuiltExeTest;
using VersionResource = BuiltExeTest;

// The text of the first element `<name ...>` in the manifest, or "".
std::string Element(const std::string& xml, const std::string& name) {
  size_t start = xml.find("<" + name + " ");
  if (start == std::string::npos) return "";
  size_t end = xml.find('>', start);
  return end == std::string::npos ? "" : xml.substr(start, end - start + 1);
}

TEST_P(ManifestResource, AsksForElevationInUsEnglish) {
  EXPECT_EQ(Image().Languages(WideId(RT_MANIFEST), MAKEINTRESOURCEW(1)), std::vector<WORD>{kEnglishUs});
  bool found;
  auto bytes = Image().Bytes(WideId(RT_MANIFEST), MAKEINTRESOURCEW(1), kEnglishUs, &found);
  ASSERT_TRUE(found);
  std::string xml(bytes.begin(), bytes.end());
  std::string level = Element(xml, "requestedExecutionLevel");
  EXPECT_NE(level.find("level=\"requireAdministrator\""), std::string::npos) << level;
  EXPECT_NE(level.find("uiAccess=\"false\""), std::string::npos) << level;
}

TEST_P(ManifestResource, DeclaresVistaToTen) {
  bool found;
  auto bytes = Image().Bytes(WideId(RT_MANIFEST), MAKEINTRESOURCEW(1), kEnglishUs, &found);
  ASSERT_TRUE(found);
  std::string xml(bytes.begin(), bytes.end());
  const char* const systems[] = {
      "{e2011457-1546-43c5-a5fe-008deee3d3f0}",  // Vista
      "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // 7
      "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
      "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
      "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10
  };
  for (const char* id : systems)
    EXPECT_NE(xml.find(std::string("<supportedOS Id=\"") + id + "\"/>"), std::string::npos) << id;
  size_t count = 0;
  for (size_t at = xml.find("<supportedOS "); at != std::string::npos;
       at = xml.find("<supportedOS ", at + 1))
    ++count;
  EXPECT_EQ(count, 5u);
}

// Queries go to a copy: VerQueryValueW wants a block it may write to, the
// way GetFileVersionInfoW hands it out.
class VersionBlock {
 public:
  explicit VersionBlock(std::vector<unsigned char> bytes) : bytes_(std::move(bytes)) {
    bytes_.resize(bytes_.size() * 2);
  }
  const void* Query(const wchar_t* path, UINT* length) {
    void* value = nullptr;
    *length = 0;
    return VerQueryValueW(bytes_.data(), path, &value, length) ? value : nullptr;
  }
  std::wstring String(const wchar_t* name) {
    UINT length;
    std::wstring path = std::wstring(L"\\StringFileInfo\\041104b0\\") + name;
    auto* text = static_cast<const wchar_t*>(Query(path.c_str(), &length));
    return text ? std::wstring(text) : L"<missing>";
  }

 private:
  std::vector<unsigned char> bytes_;
};

VersionBlock LoadVersion(const ResourceImage& image) {
  EXPECT_EQ(image.Languages(WideId(RT_VERSION), MAKEINTRESOURCEW(1)), std::vector<WORD>{kJapanese});
  bool found;
  auto bytes = image.Bytes(WideId(RT_VERSION), MAKEINTRESOURCEW(1), kJapanese, &found);
  EXPECT_TRUE(found) << "no Japanese version block";
  return VersionBlock(bytes);
}

TEST_P(VersionResource, FixedPartIsA32BitNtApplication102) {
  VersionBlock block = LoadVersion(Image());
  UINT length;
  auto* info = static_cast<const VS_FIXEDFILEINFO*>(block.Query(L"\\", &length));
  ASSERT_NE(info, nullptr);
  ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
  EXPECT_EQ(info->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(info->dwFileVersionMS, MAKELONG(0, 1));
  EXPECT_EQ(info->dwFileVersionLS, MAKELONG(0, 2));
  EXPECT_EQ(info->dwProductVersionMS, MAKELONG(0, 1));
  EXPECT_EQ(info->dwProductVersionLS, MAKELONG(0, 2));
  EXPECT_EQ(info->dwFileOS, static_cast<DWORD>(VOS_NT_WINDOWS32));
  EXPECT_EQ(info->dwFileType, static_cast<DWORD>(VFT_APP));
  EXPECT_EQ(info->dwFileFlags & info->dwFileFlagsMask, 0u) << "a debug or pre-release build";
}

TEST_P(VersionResource, TranslationIsJapaneseUnicode) {
  VersionBlock block = LoadVersion(Image());
  UINT length;
  auto* pair = static_cast<const WORD*>(block.Query(L"\\VarFileInfo\\Translation", &length));
  ASSERT_NE(pair, nullptr);
  ASSERT_EQ(length, 4u);
  EXPECT_EQ(pair[0], 0x0411);
  EXPECT_EQ(pair[1], 1200);
}

TEST_P(VersionResource, StringsNameTheProduct) {
  VersionBlock block = LoadVersion(Image());
  const struct {
    const wchar_t* name;
    std::wstring expected;
  } cases[] = {
      // The same text as the message boxes' caption.
      {L"FileDescription", FromCp932(ProductConfig.Caption)},
      {L"InternalName", L"更新プログラム"},
      {L"ProductName", L"hoshivo_update"},
      {L"FileVersion", L"1.0.2.0"},
      {L"ProductVersion", L"1.0.2.0"},
  };
  for (const auto& c : cases) EXPECT_EQ(block.String(c.name), c.expected) << c.name;
}

INSTANTIATE_FOR_BOTH_PRESETS(ManifestResource);
INSTANTIATE_FOR_BOTH_PRESETS(VersionResource);

}  // namespace

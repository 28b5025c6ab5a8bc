// The icon group and its images, read back from the built executables and
// decoded by Windows itself.
#include <windows.h>

#include <cstring>
#include <set>

#include "built_exe.h"
#include "resources/resource.h"

namespace {

using IconResource = BuiltExeTest;

#pragma pack(push, 2)
struct GroupHeader {
  WORD reserved, type, count;
};
struct GroupEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

constexpr int kSizes[] = {256, 128, 96, 48, 32, 24, 16};
constexpr int kImageCount = sizeof(kSizes) / sizeof(kSizes[0]);

std::vector<unsigned char> LoadGroup(const ResourceImage& image) {
  bool found;
  auto group = image.Bytes(WideId(RT_GROUP_ICON), MAKEINTRESOURCEW(IDI_APP), kJapanese, &found);
  EXPECT_TRUE(found) << "no Japanese icon group " << IDI_APP;
  return group;
}

const GroupEntry* Entries(const std::vector<unsigned char>& group) {
  return reinterpret_cast<const GroupEntry*>(group.data() + sizeof(GroupHeader));
}

TEST_P(IconResource, GroupListsSevenTrueColourSizes) {
  EXPECT_EQ(Image().Languages(WideId(RT_GROUP_ICON), MAKEINTRESOURCEW(IDI_APP)),
            std::vector<WORD>{kJapanese});
  auto group = LoadGroup(Image());
  ASSERT_EQ(group.size(), sizeof(GroupHeader) + kImageCount * sizeof(GroupEntry));
  auto* header = reinterpret_cast<const GroupHeader*>(group.data());
  EXPECT_EQ(header->reserved, 0);
  EXPECT_EQ(header->type, 1);  // icons, not cursors
  ASSERT_EQ(header->count, kImageCount);
  for (int i = 0; i < kImageCount; ++i) {
    const GroupEntry& e = Entries(group)[i];
    SCOPED_TRACE(kSizes[i]);
    // 256 does not fit the byte and is written as 0.
    EXPECT_EQ(e.width, kSizes[i] % 256);
    EXPECT_EQ(e.height, kSizes[i] % 256);
    EXPECT_EQ(e.colours, 0);
    EXPECT_EQ(e.planes, 1);
    EXPECT_EQ(e.bitCount, 32);
  }
}

// Header of each image: a PNG for the large one, else a 32-bit DIB whose
// height counts the colour rows and the mask rows.
void ExpectImageHeader(const std::vector<unsigned char>& data, int size) {
  static const unsigned char kPng[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  ASSERT_GE(data.size(), 40u);
  if (memcmp(data.data(), kPng, sizeof(kPng)) == 0) {
    auto be32 = [&](size_t at) {
      return (DWORD(data[at]) << 24) | (data[at + 1] << 16) | (data[at + 2] << 8) | data[at + 3];
    };
    EXPECT_EQ(memcmp(data.data() + 12, "IHDR", 4), 0);
    EXPECT_EQ(be32(16), DWORD(size));
    EXPECT_EQ(be32(20), DWORD(size));
    EXPECT_EQ(data[24], 8) << "bit depth";
    EXPECT_EQ(data[25], 6) << "colour type RGBA";
    return;
  }
  BITMAPINFOHEADER info;
  memcpy(&info, data.data(), sizeof(info));
  EXPECT_EQ(info.biSize, sizeof(BITMAPINFOHEADER));
  EXPECT_EQ(info.biWidth, size);
  EXPECT_EQ(info.biHeight, 2 * size);
  EXPECT_EQ(info.biPlanes, 1);
  EXPECT_EQ(info.biBitCount, 32);
  EXPECT_EQ(info.biCompression, static_cast<DWORD>(BI_RGB));
  size_t mask = ((size + 31) / 32) * 4 * size;
  EXPECT_EQ(data.size(), sizeof(info) + size_t(size) * size * 4 + mask);
}

// The pixels as Windows decodes them: top-down BGRA.
std::vector<RGBQUAD> DecodedPixels(const std::vector<unsigned char>& data, int size) {
  std::vector<unsigned char> copy(data);
  HICON icon = CreateIconFromResourceEx(copy.data(), DWORD(copy.size()), TRUE, 0x00030000, size,
                                        size, LR_DEFAULTCOLOR);
  if (!icon) return {};
  ICONINFO info{};
  std::vector<RGBQUAD> pixels;
  if (GetIconInfo(icon, &info) && info.hbmColor) {
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(format.bmiHeader);
    format.bmiHeader.biWidth = size;
    format.bmiHeader.biHeight = -size;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    pixels.resize(size_t(size) * size);
    HDC screen = GetDC(nullptr);
    if (GetDIBits(screen, info.hbmColor, 0, size, pixels.data(), &format, DIB_RGB_COLORS) != size)
      pixels.clear();
    ReleaseDC(nullptr, screen);
  }
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  DestroyIcon(icon);
  return pixels;
}

TEST_P(IconResource, EveryImageIsPresentAndDecodes) {
  auto group = LoadGroup(Image());
  ASSERT_EQ(group.size(), sizeof(GroupHeader) + kImageCount * sizeof(GroupEntry));
  for (int i = 0; i < kImageCount; ++i) {
    const GroupEntry& e = Entries(group)[i];
    const int size = kSizes[i];
    SCOPED_TRACE(size);
    EXPECT_EQ(Image().Languages(WideId(RT_ICON), MAKEINTRESOURCEW(e.id)),
              std::vector<WORD>{kJapanese});
    bool found;
    auto data = Image().Bytes(WideId(RT_ICON), MAKEINTRESOURCEW(e.id), kJapanese, &found);
    ASSERT_TRUE(found) << "image " << e.id;
    EXPECT_EQ(data.size(), e.bytes);
    ExpectImageHeader(data, size);

    auto pixels = DecodedPixels(data, size);
    ASSERT_EQ(pixels.size(), size_t(size) * size) << "Windows cannot decode it";
    // Transparent corners around an opaque picture of more than one colour.
    EXPECT_EQ(pixels[0].rgbReserved, 0);
    EXPECT_EQ(pixels.back().rgbReserved, 0);
    EXPECT_EQ(pixels[size_t(size / 2) * size + size / 2].rgbReserved, 255);
    std::set<DWORD> colours;
    for (const RGBQUAD& p : pixels)
      if (p.rgbReserved == 255) colours.insert(RGB(p.rgbRed, p.rgbGreen, p.rgbBlue));
    EXPECT_GT(colours.size(), 2u);
  }
}

// The shell picks the image for each size through the group directory.
TEST_P(IconResource, EachSizeFindsItsOwnImage) {
  auto group = LoadGroup(Image());
  ASSERT_EQ(group.size(), sizeof(GroupHeader) + kImageCount * sizeof(GroupEntry));
  for (int i = 0; i < kImageCount; ++i) {
    int chosen = LookupIconIdFromDirectoryEx(group.data(), TRUE, kSizes[i], kSizes[i],
                                             LR_DEFAULTCOLOR);
    EXPECT_EQ(chosen, Entries(group)[i].id) << kSizes[i];
  }
}

INSTANTIATE_FOR_BOTH_PRESETS(IconResource);

}  // namespace

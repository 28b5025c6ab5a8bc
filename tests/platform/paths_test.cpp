#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/process_run.h"
#include "platform/paths.h"

namespace {
// Buffer with a guard area behind it, to catch a write past the capacity.
struct Guarded {
  char bytes[kPathBuffer + 64];
  Guarded() { memset(bytes, 0x7E, sizeof bytes); }
  bool GuardIntact() const {
    for (size_t i = kPathBuffer; i < sizeof bytes; ++i)
      if (bytes[i] != 0x7E) return false;
    return true;
  }
};

TEST(Paths, JoinIsBoundedByTheBuffer) {
  const struct {
    size_t folderLength;
    const char* name;
    bool fits;
  } cases[] = {
      {3, "patch.pac", true},
      {249, "patch.pac", true},   // 249 + 1 + 9 = 259 bytes and the zero: exactly full
      {250, "patch.pac", false},  // one byte more
      {259, "patch.pac", false},  // the longest "InstallFold" a settings file can give
      {259, "", false},
      {0, "patch.pac", true},     // no folder: a path in the drive root
  };
  for (const auto& c : cases) {
    Guarded out;
    const std::string folder(c.folderLength, 'f');
    const bool fits = JoinPath(out.bytes, kPathBuffer, folder.c_str(), c.name);
    EXPECT_EQ(fits, c.fits) << c.folderLength;
    EXPECT_TRUE(out.GuardIntact()) << c.folderLength;
    if (fits)
      EXPECT_EQ(std::string(out.bytes), folder + "\\" + c.name);
    else
      EXPECT_EQ(out.bytes[0], '\0') << "a refused path is left empty, never cut short";
  }
}

TEST(Paths, JoinKeepsBackslashTrailBytes) {
  char out[kPathBuffer];
  ASSERT_TRUE(JoinPath(out, sizeof out, "C:\\ゲーム表", "ソフト能.pac"));
  EXPECT_STREQ(out, "C:\\ゲーム表\\ソフト能.pac");
}

TEST(Paths, GameExePathIsBoundedToo) {
  Guarded out;
  EXPECT_TRUE(GameExePath(out.bytes, kPathBuffer, std::string(247, 'g').c_str(), "hoshivo"));
  EXPECT_EQ(std::string(out.bytes), std::string(247, 'g') + "\\hoshivo.exe");
  EXPECT_FALSE(GameExePath(out.bytes, kPathBuffer, std::string(248, 'g').c_str(), "hoshivo"));
  EXPECT_TRUE(out.GuardIntact());
}

TEST(Paths, ProgramDirHasNoTrailingBackslash) {
  char dir[kLongPathBuffer];
  ASSERT_TRUE(GetProgramDir(dir));
  EXPECT_EQ(std::string(dir), TestProgramDir());
  EXPECT_NE(dir[strlen(dir) - 1], '\\');
}
}  // namespace

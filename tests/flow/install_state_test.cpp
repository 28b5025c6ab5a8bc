#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/temp_dir.h"
#include "flow/install_state.h"
#include "platform/file_ops.h"

namespace {
const char* const kFiles[] = {"patch.pac", "data.pac", nullptr};
const char* const kNoFiles[] = {nullptr};

// A settings folder, the folder of the program with its update files, and
// a game folder, all inside one temporary folder.
class InstallStateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings = dir.Path() + "\\settings\\";
    program = dir / "program";
    game = dir / "game";
    CreateDirectoryA(settings.c_str(), nullptr);
    CreateDirectoryA(program.c_str(), nullptr);
    CreateDirectoryA(game.c_str(), nullptr);
    memset(installFolder, 0x7E, sizeof installFolder);
  }
  void Settings(const std::string& body) {
    ASSERT_TRUE(WriteBytes(settings + "hoshivo.ini", "[INSTALL]\r\n" + body));
  }
  void Recorded() { Settings("IsInstall=1\r\nInstallFold=" + game + "\r\n"); }
  void Twins(const char* name, size_t gameSize, size_t programSize) {
    ASSERT_TRUE(WriteBytes(game + "\\" + name, PatternBytes(gameSize, 1)));
    ASSERT_TRUE(WriteBytes(program + "\\" + name, PatternBytes(programSize, 2)));
  }
  InstallState Read(const char* const* files = kFiles) {
    return ReadInstallStateFrom(settings.c_str(), "hoshivo", program.c_str(), files,
                                installFolder);
  }

  TempDir dir;
  std::string settings, program, game;
  char installFolder[2048];
};

TEST_F(InstallStateTest, NoSettingsFileIsNotRecorded) {
  EXPECT_EQ(Read(), NotRecorded);
}

TEST_F(InstallStateTest, IsInstallCountsInItsLowEightBits) {
  Twins("patch.pac", 10, 10);
  Twins("data.pac", 20, 20);
  const struct {
    const char* value;
    InstallState expected;
  } cases[] = {
      {"1", AlreadyUpdated}, {"257", AlreadyUpdated}, {"256", NotRecorded}, {"0", NotRecorded},
      {"2", NotRecorded},    {"-1", NotRecorded},     {"yes", NotRecorded}, {nullptr, NotRecorded},
  };
  for (const auto& c : cases) {
    Settings((c.value ? std::string("IsInstall=") + c.value + "\r\n" : std::string()) +
             "InstallFold=" + game + "\r\n");
    EXPECT_EQ(Read(), c.expected) << (c.value ? c.value : "(missing)");
  }
}

TEST_F(InstallStateTest, SizesDecideNotContents) {
  Recorded();
  Twins("patch.pac", 1000, 1000);  // same size, different bytes
  Twins("data.pac", 0, 0);
  EXPECT_EQ(Read(), AlreadyUpdated);
  EXPECT_EQ(std::string(installFolder), game);

  Twins("data.pac", 5, 6);
  EXPECT_EQ(Read(), UpdateNeeded);
}

TEST_F(InstallStateTest, MissingFilesMeanAnUpdateIsNeeded) {
  Recorded();
  // First target missing: the answer comes at once, whatever the others are.
  Twins("data.pac", 7, 7);
  ASSERT_TRUE(WriteBytes(program + "\\patch.pac", "x"));
  EXPECT_EQ(Read(), UpdateNeeded);

  // Source missing beside the program, target present.
  ASSERT_TRUE(WriteBytes(game + "\\patch.pac", "x"));
  DeleteFileA((program + "\\patch.pac").c_str());
  EXPECT_EQ(Read(), UpdateNeeded);
}

TEST_F(InstallStateTest, TwinsThatAreBothUnavailableMatch) {
  Recorded();
  Twins("patch.pac", 10, 99);
  Twins("data.pac", 3, 3);
  // Held open without sharing elsewhere: the probe cannot open either one.
  FileHandle heldTarget(CreateFileA((game + "\\patch.pac").c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
  FileHandle heldSource(CreateFileA((program + "\\patch.pac").c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(heldTarget && heldSource);
  EXPECT_EQ(Read(), AlreadyUpdated);

  heldTarget.Close();
  EXPECT_EQ(Read(), UpdateNeeded) << "one available twin and one unavailable differ";
}

TEST_F(InstallStateTest, EmptyUpdateListIsAlreadyUpdated) {
  Recorded();
  EXPECT_EQ(Read(kNoFiles), AlreadyUpdated);
}

TEST_F(InstallStateTest, MissingInstallFoldPointsAtTheDriveRoot) {
  Settings("IsInstall=1\r\n");
  Twins("patch.pac", 4, 4);
  Twins("data.pac", 4, 4);
  EXPECT_EQ(Read(), UpdateNeeded);
  EXPECT_STREQ(installFolder, "");

  // With the twins in the root of the current drive, they are found there.
  char saved[MAX_PATH];
  GetCurrentDirectoryA(sizeof saved, saved);
  ASSERT_TRUE(SetCurrentDirectoryA(program.c_str()));
  const std::string root = program.substr(0, 2);
  ASSERT_TRUE(WriteBytes(root + "\\patch.pac", PatternBytes(4, 3)));
  ASSERT_TRUE(WriteBytes(root + "\\data.pac", PatternBytes(4, 3)));
  const InstallState state = Read();
  DeleteFileA((root + "\\patch.pac").c_str());
  DeleteFileA((root + "\\data.pac").c_str());
  SetCurrentDirectoryA(saved);
  EXPECT_EQ(state, AlreadyUpdated);
}

TEST_F(InstallStateTest, LongestInstallFoldIsKeptWithinItsBuffer) {
  const std::string longest = "C:\\" + std::string(256, 'L');  // 259 bytes
  Settings("IsInstall=1\r\nInstallFold=" + longest + "\r\n");
  Twins("patch.pac", 4, 4);
  EXPECT_EQ(Read(), UpdateNeeded) << "its targets cannot be built, so none exists";
  EXPECT_EQ(std::string(installFolder), longest);
  EXPECT_EQ(installFolder[260], 0x7E) << "nothing past the 260 bytes it may use";

  Settings("IsInstall=1\r\nInstallFold=" + longest + "XYZ\r\n");
  Read();
  EXPECT_EQ(strlen(installFolder), 259u) << "a longer value is cut by the profile call";
}
}  // namespace

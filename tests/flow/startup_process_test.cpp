// The real updater, run as its own process: the boxes of start-up with their
// texts, captions and buttons, and the exit codes.
#include <gtest/gtest.h>
#include <shlobj.h>

#include "common/process_run.h"
#include "common/temp_dir.h"
#include "config/product_config.h"
#include "config/texts.h"

namespace {
class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    exe = dir / "hoshivo_update.exe";
    game = dir / "game";
    CreateDirectoryA(game.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(UpdaterProcess::UpdaterExe().c_str(), exe.c_str(), FALSE));
  }
  void TearDown() override { WriteSettings(nullptr); }

  void RecordedInstallThatMatches() {
    for (const char* name : {"patch.pac", "data.pac"}) {
      ASSERT_TRUE(WriteBytes(dir / name, PatternBytes(3000, 1)));
      ASSERT_TRUE(WriteBytes(game + "\\" + name, PatternBytes(3000, 2)));
    }
    WriteSettings(("IsInstall=1\r\nInstallFold=" + game + "\r\n").c_str());
  }
  void ExpectSaveDataQuestion(const Screen& s) {
    EXPECT_TRUE(s.isMessageBox);
    EXPECT_EQ(s.text, Text::SaveDataQuestion);
    EXPECT_EQ(s.caption, ProductConfig.Caption);
    EXPECT_TRUE(s.hasYes && s.hasNo);
  }

  TempDir dir;
  std::string exe, game;
  UpdaterProcess run;
};

TEST_F(StartupTest, NoToTheSaveDataQuestionEndsWithZero) {
  RecordedInstallThatMatches();
  ASSERT_TRUE(run.Start(exe));
  Screen s;
  ASSERT_TRUE(run.WaitForScreen(&s));
  ExpectSaveDataQuestion(s);
  run.Press(s, IDNO);
  DWORD code = 99;
  ASSERT_TRUE(run.WaitExit(&code));
  EXPECT_EQ(code, 0u);
}

TEST_F(StartupTest, AlreadyUpdatedAsksToOverwriteAndNoEndsWithOne) {
  RecordedInstallThatMatches();
  ASSERT_TRUE(run.Start(exe));
  Screen s;
  ASSERT_TRUE(run.WaitForScreen(&s));
  ExpectSaveDataQuestion(s);
  run.Press(s, IDYES);

  ASSERT_TRUE(run.WaitForScreen(&s));
  EXPECT_TRUE(s.isMessageBox);
  EXPECT_EQ(s.text, ProductConfig.OverwriteQuestion);
  EXPECT_EQ(s.caption, ProductConfig.Caption);
  EXPECT_TRUE(s.hasYes && s.hasNo);
  run.Press(s, IDNO);
  DWORD code = 99;
  ASSERT_TRUE(run.WaitExit(&code));
  EXPECT_EQ(code, 1u);
}
}  // namespace

namespace {
// Both application-data folders out of the way: the program cannot find its
// settings at all, says so and ends with -1.
TEST(StartupWithoutAppData, ErrorBoxAndMinusOne) {
  char roaming[MAX_PATH], common[MAX_PATH];
  ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, roaming, CSIDL_APPDATA, FALSE));
  ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, common, CSIDL_COMMON_APPDATA, FALSE));
  // Put back whatever was moved, however the test ends: later tests need them.
  struct Aside {
    std::string from, to;
    bool moved;
    explicit Aside(const std::string& f) : from(f), to(f + ".aside") {
      moved = MoveFileA(from.c_str(), to.c_str()) != FALSE;
    }
    ~Aside() {
      if (moved) MoveFileA(to.c_str(), from.c_str());
    }
  };
  Aside roamingAside(roaming), commonAside(common);
  ASSERT_TRUE(roamingAside.moved && commonAside.moved);

  UpdaterProcess run;
  Screen s;
  DWORD code = 99;
  const bool started = run.Start();
  const bool shown = started && run.WaitForScreen(&s);
  if (shown) run.Press(s, IDOK);
  const bool ended = started && run.WaitExit(&code);
  run.Kill();

  ASSERT_TRUE(shown);
  EXPECT_TRUE(s.isMessageBox);
  EXPECT_EQ(s.text, Text::AppDataNotFound);
  EXPECT_EQ(s.caption, ProductConfig.Caption);
  EXPECT_TRUE(s.hasOk && !s.hasYes);
  ASSERT_TRUE(ended);
  EXPECT_EQ(code, static_cast<DWORD>(-1));
}
}  // namespace

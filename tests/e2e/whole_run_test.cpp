// Whole runs of the real updater: a driver finds each box and the dialog,
// reads their texts and captions, and presses buttons.
#include <gtest/gtest.h>

#include <string>

#include "common/process_run.h"
#include "common/temp_dir.h"
#include "config/product_config.h"
#include "config/texts.h"

namespace {
const std::string kOldManifest = "D hoshivo;\r\nF hoshivo.exe;\r\nF patch.pac;\r\n";

// An updater folder with its update files and a game folder with older ones.
class WholeRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    updater = dir / "updater";
    game = dir / "ゲーム表";
    CreateDirectoryA(updater.c_str(), nullptr);
    CreateDirectoryA(game.c_str(), nullptr);
    exe = updater + "\\hoshivo_update.exe";
    ASSERT_TRUE(CopyFileA(UpdaterProcess::UpdaterExe().c_str(), exe.c_str(), FALSE));
    ASSERT_TRUE(WriteBytes(game + "\\hoshivo.exe", "MZ"));
    ASSERT_TRUE(WriteBytes(game + "\\Setup.dat", kOldManifest));
    SetFiles(200000, 70000, 150000, 65533);
  }
  void TearDown() override { WriteSettings(nullptr); }

  void SetFiles(size_t newPatch, size_t newData, size_t oldPatch, size_t oldData) {
    newPatchBytes = PatternBytes(newPatch, 11);
    newDataBytes = PatternBytes(newData, 12);
    oldPatchBytes = PatternBytes(oldPatch, 21);
    oldDataBytes = PatternBytes(oldData, 22);
    ASSERT_TRUE(WriteBytes(updater + "\\patch.pac", newPatchBytes));
    ASSERT_TRUE(WriteBytes(updater + "\\data.pac", newDataBytes));
    ASSERT_TRUE(WriteBytes(game + "\\patch.pac", oldPatchBytes));
    ASSERT_TRUE(WriteBytes(game + "\\data.pac", oldDataBytes));
  }
  void Recorded() { WriteSettings(("IsInstall=1\r\nInstallFold=" + game + "\r\n").c_str()); }

  Screen Next() {
    Screen s;
    EXPECT_TRUE(run.WaitForScreen(&s)) << "no further window appeared";
    return s;
  }
  void ExpectBox(const Screen& s, const std::string& text) {
    EXPECT_TRUE(s.isMessageBox) << s.caption;
    EXPECT_EQ(s.text, text);
    EXPECT_EQ(s.caption, ProductConfig.Caption);
  }
  void AcceptSaveDataQuestion() {
    Screen s = Next();
    ExpectBox(s, Text::SaveDataQuestion);
    run.Press(s, IDYES);
  }
  // The confirmation dialog, with its texts replaced and the folder shown.
  void ExpectDialogAndPress(int button) {
    Screen s = Next();
    EXPECT_FALSE(s.isMessageBox);
    EXPECT_EQ(s.caption, ProductConfig.DialogTitle);
    char folder[MAX_PATH] = "";
    GetDlgItemTextA(s.window, 1001, folder, sizeof folder);
    EXPECT_EQ(std::string(folder), game);
    run.Press(s, button);
  }
  DWORD ExitCode() {
    DWORD code = 99;
    EXPECT_TRUE(run.WaitExit(&code, 60000));
    return code;
  }
  void ExpectGameFiles(const std::string& patch, const std::string& data) {
    EXPECT_TRUE(ReadBytes(game + "\\patch.pac") == patch) << "patch.pac";
    EXPECT_TRUE(ReadBytes(game + "\\data.pac") == data) << "data.pac";
    EXPECT_EQ(ListFolder(game), "Setup.dat data.pac hoshivo.exe patch.pac") << "no stray files";
  }

  TempDir dir;
  std::string updater, game, exe;
  std::string newPatchBytes, newDataBytes, oldPatchBytes, oldDataBytes;
  UpdaterProcess run;
};

TEST_F(WholeRunTest, RecordedInstallIsUpdatedAndRecorded) {
  Recorded();
  ASSERT_TRUE(run.Start(exe));
  AcceptSaveDataQuestion();
  ExpectDialogAndPress(IDOK);
  Screen done = Next();
  ExpectBox(done, ProductConfig.DoneMessage);
  EXPECT_TRUE(done.hasOk && !done.hasYes);
  run.Press(done, IDOK);
  EXPECT_EQ(ExitCode(), 1u);
  ExpectGameFiles(newPatchBytes, newDataBytes);
  EXPECT_EQ(ReadBytes(game + "\\Setup.dat"), kOldManifest + "F data.pac;\r\n");
}

TEST_F(WholeRunTest, AlreadyUpdatedOverwriteYesCopiesButLeavesTheManifest) {
  SetFiles(5000, 6000, 5000, 6000);
  ASSERT_TRUE(WriteBytes(game + "\\patch.pac", PatternBytes(5000, 99)));  // same size, other bytes
  Recorded();
  ASSERT_TRUE(run.Start(exe));
  AcceptSaveDataQuestion();
  Screen s = Next();
  ExpectBox(s, ProductConfig.OverwriteQuestion);
  run.Press(s, IDYES);
  ExpectDialogAndPress(IDOK);
  Screen done = Next();
  ExpectBox(done, ProductConfig.DoneMessage);
  run.Press(done, IDOK);
  EXPECT_EQ(ExitCode(), 1u);
  ExpectGameFiles(newPatchBytes, newDataBytes);
  EXPECT_EQ(ReadBytes(game + "\\Setup.dat"), kOldManifest);
}

TEST_F(WholeRunTest, AlreadyUpdatedOverwriteNoWritesNothing) {
  SetFiles(5000, 6000, 5000, 6000);
  Recorded();
  ASSERT_TRUE(run.Start(exe));
  AcceptSaveDataQuestion();
  Screen s = Next();
  ExpectBox(s, ProductConfig.OverwriteQuestion);
  run.Press(s, IDNO);
  EXPECT_EQ(ExitCode(), 1u);
  ExpectGameFiles(oldPatchBytes, oldDataBytes);
  EXPECT_EQ(ReadBytes(game + "\\Setup.dat"), kOldManifest);
}

TEST_F(WholeRunTest, ExitInTheDialogWritesNothing) {
  Recorded();
  ASSERT_TRUE(run.Start(exe));
  AcceptSaveDataQuestion();
  ExpectDialogAndPress(IDCANCEL);
  EXPECT_EQ(ExitCode(), 1u);
  ExpectGameFiles(oldPatchBytes, oldDataBytes);
  EXPECT_EQ(ReadBytes(game + "\\Setup.dat"), kOldManifest);
}

TEST_F(WholeRunTest, UnrecordedInstallWhereTheUserCancelsTheBrowser) {
  WriteSettings(nullptr);
  ASSERT_TRUE(run.Start(exe));
  AcceptSaveDataQuestion();
  Screen browser = Next();
  EXPECT_FALSE(browser.isMessageBox);
  EXPECT_NE(FindWindowExA(browser.window, nullptr, "SysTreeView32", nullptr), nullptr);
  DWORD code = 99;
  ASSERT_TRUE(run.CancelBrowserAndWaitExit(browser, &code));
  EXPECT_EQ(code, 1u);
  ExpectGameFiles(oldPatchBytes, oldDataBytes);
}

TEST_F(WholeRunTest, MissingSourceIsReportedAndNothingIsWritten) {
  DeleteFileA((updater + "\\data.pac").c_str());
  Recorded();
  ASSERT_TRUE(run.Start(exe));
  AcceptSaveDataQuestion();
  ExpectDialogAndPress(IDOK);
  Screen s = Next();
  ExpectBox(s, Text::SourceNotFound);
  run.Press(s, IDOK);
  EXPECT_EQ(ExitCode(), 1u);
  ExpectGameFiles(oldPatchBytes, oldDataBytes);
  EXPECT_EQ(ReadBytes(game + "\\Setup.dat"), kOldManifest);
}

TEST_F(WholeRunTest, KilledDuringALongCopyLeavesNoTornFileAndTheNextRunSucceeds) {
  SetFiles(300u << 20, 1000, 1u << 20, 1000);
  Recorded();
  ASSERT_TRUE(run.Start(exe));
  AcceptSaveDataQuestion();
  ExpectDialogAndPress(IDOK);
  // Kill once the copy of the large archive is under way: its staging file
  // has appeared beside the installed files.
  const std::string before = ListFolder(game);
  for (int i = 0; i < 1500 && ListFolder(game) == before; ++i) Sleep(20);
  ASSERT_NE(ListFolder(game), before) << "the copy never started";
  Sleep(100);
  run.Kill();
  const std::string patch = ReadBytes(game + "\\patch.pac");
  EXPECT_TRUE(patch == oldPatchBytes || patch == newPatchBytes)
      << "torn: " << patch.size() << " bytes";
  EXPECT_EQ(ReadBytes(game + "\\Setup.dat"), kOldManifest);

  UpdaterProcess again;
  ASSERT_TRUE(again.Start(exe));
  Screen s;
  ASSERT_TRUE(again.WaitForScreen(&s));
  ExpectBox(s, Text::SaveDataQuestion);
  again.Press(s, IDYES);
  ASSERT_TRUE(again.WaitForScreen(&s));
  again.Press(s, IDOK);  // the dialog's Execute
  ASSERT_TRUE(again.WaitForScreen(&s, 120000));
  ExpectBox(s, ProductConfig.DoneMessage);
  again.Press(s, IDOK);
  DWORD code = 99;
  ASSERT_TRUE(again.WaitExit(&code, 60000));
  EXPECT_EQ(code, 1u);
  ExpectGameFiles(newPatchBytes, newDataBytes);
  EXPECT_EQ(ReadBytes(game + "\\Setup.dat"), kOldManifest + "F data.pac;\r\n");
}
}  // namespace

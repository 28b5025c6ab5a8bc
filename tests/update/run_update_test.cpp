#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/box_recorder.h"
#include "common/temp_dir.h"
#include "config/product_config.h"
#include "config/texts.h"
#include "update/update.h"

namespace {
const char* const kFiles[] = {"patch.pac", "data.pac", nullptr};
const char* const kNoFiles[] = {nullptr};
const std::string kOldManifest = "D game;\r\nF hoshivo.exe;\r\n";

// A program folder with the new update files and a game folder with the old
// ones and a manifest, inside one temporary folder.
class RunUpdateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    program = dir / "program";
    game = dir / "game";
    CreateDirectoryA(program.c_str(), nullptr);
    CreateDirectoryA(game.c_str(), nullptr);
    newPatch = PatternBytes(150000, 1);
    newData = PatternBytes(65533, 2);
    ASSERT_TRUE(WriteBytes(program + "\\patch.pac", newPatch));
    ASSERT_TRUE(WriteBytes(program + "\\data.pac", newData));
    ASSERT_TRUE(WriteBytes(game + "\\patch.pac", oldPatch));
    ASSERT_TRUE(WriteBytes(game + "\\data.pac", oldData));
    ASSERT_TRUE(WriteBytes(game + "\\hoshivo.exe", "MZ"));
  }
  void Run(InstallState state, const char* const* files = kFiles) {
    RunUpdateWith(program.c_str(), game.c_str(), files, state);
  }
  std::string Game(const char* name) const { return ReadBytes(game + "\\" + name); }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& box : boxes.Boxes()) texts.push_back(box.text);
    return texts;
  }
  void ExpectWarnings() const {
    for (const auto& box : boxes.Boxes()) {
      EXPECT_EQ(box.flags, UINT(MB_TOPMOST | MB_ICONWARNING)) << box.text;
      EXPECT_EQ(box.caption, ProductConfig.Caption);
      EXPECT_EQ(box.owner, nullptr);
    }
  }
  void ExpectDoneOnly() const {
    ASSERT_EQ(boxes.Boxes().size(), 1u) << boxes.Texts();
    const RecordedBox& box = boxes.Boxes()[0];
    EXPECT_EQ(box.text, ProductConfig.DoneMessage);
    EXPECT_EQ(box.flags, UINT(MB_TOPMOST));
    EXPECT_EQ(box.caption, ProductConfig.Caption);
    EXPECT_EQ(box.owner, nullptr);
  }

  TempDir dir;
  std::string program, game, newPatch, newData;
  std::string oldPatch = "old patch", oldData = "old data";
  BoxRecorder boxes;
};

TEST_F(RunUpdateTest, RecordedInstallGetsFilesAndFLinesInListOrder) {
  ASSERT_TRUE(WriteBytes(game + "\\Setup.dat", kOldManifest));
  Run(UpdateNeeded);
  ExpectDoneOnly();
  EXPECT_TRUE(Game("patch.pac") == newPatch);
  EXPECT_TRUE(Game("data.pac") == newData);
  EXPECT_EQ(Game("Setup.dat"), kOldManifest + "F patch.pac;\r\nF data.pac;\r\n");
  EXPECT_EQ(ListFolder(game), "Setup.dat data.pac hoshivo.exe patch.pac");
}

TEST_F(RunUpdateTest, LineAlreadyPresentIsNotRepeated) {
  ASSERT_TRUE(WriteBytes(game + "\\Setup.dat", "F patch.pac;\r\nX;\r\n"));
  Run(UpdateNeeded);
  ExpectDoneOnly();
  EXPECT_EQ(Game("Setup.dat"), "F patch.pac;\r\nX;\r\nF data.pac;\r\n");
}

TEST_F(RunUpdateTest, MissingManifestIsCreatedWithOnlyTheFLines) {
  Run(UpdateNeeded);
  ExpectDoneOnly();
  EXPECT_EQ(Game("Setup.dat"), "F patch.pac;\r\nF data.pac;\r\n");
}

TEST_F(RunUpdateTest, EmptyFileListStillRewritesTheManifest) {
  ASSERT_TRUE(WriteBytes(game + "\\Setup.dat", "A\nB\r\n"));
  Run(UpdateNeeded, kNoFiles);
  ExpectDoneOnly();
  EXPECT_EQ(Game("Setup.dat"), "A\r\nB\r\n");
  EXPECT_EQ(Game("patch.pac"), oldPatch);
}

TEST_F(RunUpdateTest, UnrecordedOrOverwrittenInstallNeverWritesTheManifest) {
  for (InstallState state : {AlreadyUpdated, NotRecorded}) {
    SCOPED_TRACE(int(state));
    // Absent stays absent.
    DeleteFileA((game + "\\Setup.dat").c_str());
    Run(state);
    EXPECT_FALSE(Exists(game + "\\Setup.dat"));
    EXPECT_TRUE(Game("patch.pac") == newPatch);
    EXPECT_TRUE(Game("data.pac") == newData);

    // Present keeps its bytes and its time stamp.
    ASSERT_TRUE(WriteBytes(game + "\\Setup.dat", kOldManifest));
    HANDLE h = CreateFileA((game + "\\Setup.dat").c_str(), GENERIC_WRITE, 0, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    FILETIME old = {0x12340000, 0x01D00000};
    SetFileTime(h, nullptr, nullptr, &old);
    CloseHandle(h);
    Run(state);
    EXPECT_EQ(Game("Setup.dat"), kOldManifest);
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExA((game + "\\Setup.dat").c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(data.ftLastWriteTime.dwLowDateTime, old.dwLowDateTime);
    EXPECT_EQ(data.ftLastWriteTime.dwHighDateTime, old.dwHighDateTime);
    EXPECT_EQ(ListFolder(game), "Setup.dat data.pac hoshivo.exe patch.pac");
  }
  ASSERT_EQ(boxes.Boxes().size(), 4u);
  for (const auto& box : boxes.Boxes()) EXPECT_EQ(box.text, ProductConfig.DoneMessage);
}

TEST_F(RunUpdateTest, MissingSecondSourceIsReportedBeforeAnythingIsWritten) {
  ASSERT_TRUE(WriteBytes(game + "\\Setup.dat", kOldManifest));
  DeleteFileA((program + "\\data.pac").c_str());
  Run(UpdateNeeded);
  EXPECT_EQ(Texts(), std::vector<std::string>{Text::SourceNotFound});
  ExpectWarnings();
  EXPECT_EQ(Game("patch.pac"), oldPatch);
  EXPECT_EQ(Game("Setup.dat"), kOldManifest);
  EXPECT_EQ(ListFolder(game), "Setup.dat data.pac hoshivo.exe patch.pac");
}

TEST_F(RunUpdateTest, SecondCopyFailingKeepsFirstFileAndManifest) {
  ASSERT_TRUE(WriteBytes(game + "\\Setup.dat", kOldManifest));
  HANDLE other = CreateFileA((game + "\\data.pac").c_str(), GENERIC_READ, 0, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  Run(UpdateNeeded);
  CloseHandle(other);

  EXPECT_EQ(Texts(), (std::vector<std::string>{Text::CreateFailed, Text::CopyFailed}));
  ExpectWarnings();
  EXPECT_TRUE(Game("patch.pac") == newPatch);
  EXPECT_EQ(Game("data.pac"), oldData);
  EXPECT_EQ(Game("Setup.dat"), kOldManifest);
  EXPECT_EQ(ListFolder(game), "Setup.dat data.pac hoshivo.exe patch.pac");
}

TEST_F(RunUpdateTest, PathsTooLongAreRefusedBeforeAnythingIsWritten) {
  ASSERT_TRUE(WriteBytes(game + "\\Setup.dat", kOldManifest));
  const std::string base = dir.Path() + "\\";
  const struct {
    const char* what;
    std::string programDir, installFolder;
  } cases[] = {
      // The folder alone fills the 260-byte buffer but for its zero.
      {"install folder of 259 bytes", program, base + std::string(259 - base.size(), 'g')},
      // "patch.pac" fits, its staging file beside it does not.
      {"staging path", program, base + std::string(259 - 10 - 5 - base.size(), 'g')},
      {"source beyond 520 bytes", base + std::string(512 - base.size(), 'p'), game},
      // A missing source would be reported first if the check came later.
      {"all paths before the sources", base + std::string(300 - base.size(), 'p'),
       base + std::string(259 - base.size(), 'g')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    BoxRecorder local;
    RunUpdateWith(c.programDir.c_str(), c.installFolder.c_str(), kFiles, UpdateNeeded);
    ASSERT_EQ(local.Boxes().size(), 1u) << local.Texts();
    EXPECT_EQ(local.Boxes()[0].text, Text::PathTooLong);
    EXPECT_EQ(local.Boxes()[0].flags, UINT(MB_TOPMOST | MB_ICONWARNING));
  }
  EXPECT_EQ(ListFolder(dir.Path()), "game program");
  EXPECT_EQ(ListFolder(game), "Setup.dat data.pac hoshivo.exe patch.pac");
  EXPECT_EQ(Game("patch.pac"), oldPatch);
  EXPECT_EQ(Game("Setup.dat"), kOldManifest);
}

TEST_F(RunUpdateTest, FolderWithoutDriveLetterAsksForTheEmptyDrive) {
  // The query gets "" for such a folder; whether the platform answers it
  // decides between the free-space box and going on to the copies.
  ULARGE_INTEGER a, t, f;
  const bool emptyDriveAnswers = GetDiskFreeSpaceExA("", &a, &t, &f) != FALSE;
  RunUpdateWith(program.c_str(), "no-drive-folder", kFiles, NotRecorded);
  ASSERT_FALSE(boxes.Boxes().empty());
  if (emptyDriveAnswers) {
    EXPECT_NE(boxes.Boxes()[0].text, Text::FreeSpaceUnknown);
  } else {
    EXPECT_EQ(Texts(), std::vector<std::string>{Text::FreeSpaceUnknown});
  }
  EXPECT_FALSE(Exists("no-drive-folder"));
}
}  // namespace

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "common/box_recorder.h"
#include "common/temp_dir.h"
#include "config/texts.h"
#include "platform/paths.h"
#include "platform/staging_path.h"
#include "manifest/uninstall_info.h"
#include "platform/message_box.h"

namespace {
const char kOld[] = "D game\r\nF old.pac;\r\n";

// Exactly one box: the create failure, captioned with the manifest's path.
void ExpectCreateFailedBox(const BoxRecorder& boxes, const std::string& path) {
  ASSERT_EQ(boxes.Boxes().size(), 1u) << boxes.Texts();
  const RecordedBox& box = boxes.Boxes()[0];
  EXPECT_EQ(box.text, Text::CreateFailed);
  EXPECT_EQ(box.caption, path);
  EXPECT_EQ(box.flags, BoxFlags(BoxKind::Warning));
  EXPECT_EQ(box.owner, nullptr);
}

// New content well beyond any tiny disk the fixtures use.
void AddManyLines(UnInstallInfo* info, int count) {
  for (int n = 0; n < count; ++n) info->AddLine("F folder\\new" + std::to_string(n) + ".pac;\r\n");
}

TEST(ManifestSaveFaults, ManifestHeldByAnotherProgramKeepsItsOldLines) {
  TempDir dir;
  const std::string path = dir / "Setup.dat";
  ASSERT_TRUE(WriteBytes(path, kOld));
  UnInstallInfo info(path.c_str());
  info.AddLine("F patch.pac;\r\n");
  HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  BoxRecorder boxes;
  EXPECT_FALSE(info.Save());
  CloseHandle(held);
  ExpectCreateFailedBox(boxes, path);
  EXPECT_EQ(ReadBytes(path), kOld);
  EXPECT_EQ(ListFolder(dir.Path()), "Setup.dat");
}

TEST(ManifestSaveFaults, UnwritableFolderShowsTheBoxAndCreatesNothing) {
  TempDir dir;
  const std::string path = dir / "missing\\Setup.dat";
  UnInstallInfo info(path.c_str());
  info.AddLine("F patch.pac;\r\n");
  BoxRecorder boxes;
  EXPECT_FALSE(info.Save());
  ExpectCreateFailedBox(boxes, path);
  EXPECT_EQ(ListFolder(dir.Path()), "");
}

TEST(ManifestSaveFaults, FailedFirstSaveLeavesNoEmptyManifestBehind) {
  TempDir dir;
  const std::string path = dir / "Setup.dat";
  // Something that is not ours blocks the pending file's name.
  ASSERT_TRUE(CreateDirectoryA((path + kStagingSuffix).c_str(), nullptr));
  UnInstallInfo info(path.c_str());
  info.AddLine("F patch.pac;\r\n");
  BoxRecorder boxes;
  EXPECT_FALSE(info.Save());
  ExpectCreateFailedBox(boxes, path);
  EXPECT_FALSE(Exists(path)) << "the writability check must not leave an empty manifest";
  EXPECT_EQ(ListFolder(dir.Path()), std::string("Setup.dat") + kStagingSuffix);
}

TEST(ManifestSaveFaults, LeftoverFromAKilledRunIsOverwritten) {
  TempDir dir;
  const std::string path = dir / "Setup.dat";
  ASSERT_TRUE(WriteBytes(path, kOld));
  ASSERT_TRUE(WriteBytes(path + kStagingSuffix, PatternBytes(100000, 7)));
  UnInstallInfo info(path.c_str());
  info.AddLine("F patch.pac;\r\n");
  BoxRecorder boxes;
  EXPECT_TRUE(info.Save());
  EXPECT_TRUE(boxes.Boxes().empty()) << boxes.Texts();
  EXPECT_EQ(ReadBytes(path), std::string(kOld) + "F patch.pac;\r\n");
  EXPECT_EQ(ListFolder(dir.Path()), "Setup.dat");
}

TEST(ManifestSaveFaults, LeftoverHeldOpenIsACreateFailure) {
  TempDir dir;
  const std::string path = dir / "Setup.dat";
  const std::string pending = path + kStagingSuffix;
  ASSERT_TRUE(WriteBytes(path, kOld));
  ASSERT_TRUE(WriteBytes(pending, "junk"));
  HANDLE held = CreateFileA(pending.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  UnInstallInfo info(path.c_str());
  info.AddLine("F patch.pac;\r\n");
  BoxRecorder boxes;
  EXPECT_FALSE(info.Save());
  CloseHandle(held);
  ExpectCreateFailedBox(boxes, path);
  EXPECT_EQ(ReadBytes(path), kOld);
  EXPECT_EQ(ReadBytes(pending), "junk") << "a file held by someone else is left alone";
}

TEST(ManifestSaveFaults, PendingNameThatWouldNotFitIsRefused) {
  TempDir dir;
  // The manifest's own path fits the platform's limit; with the suffix it does not.
  std::string name(kPathBuffer - 4 - dir.Path().size() - 1, 'n');
  const std::string path = dir / name;
  ASSERT_LT(path.size(), kPathBuffer);
  ASSERT_GE(path.size() + sizeof kStagingSuffix - 1, kPathBuffer);
  char out[kPathBuffer];
  EXPECT_FALSE(StagingPath(out, sizeof out, path.c_str()));
  EXPECT_STREQ(out, "");
  EXPECT_TRUE(StagingPath(out, sizeof out, (dir / "Setup.dat").c_str()));
  EXPECT_EQ(std::string(out), dir / "Setup.dat" + kStagingSuffix);

  UnInstallInfo info(path.c_str());
  info.AddLine("F patch.pac;\r\n");
  BoxRecorder boxes;
  EXPECT_FALSE(info.Save());
  ExpectCreateFailedBox(boxes, path);
  EXPECT_EQ(ListFolder(dir.Path()), "");
}

// The two faults below need a fixture a Windows program cannot build itself:
// tests/manifest/fault_fixtures.sh prepares it and names it in the environment.

TEST(ManifestSaveFaultsFixture, DiskFullMidWayKeepsTheOldManifest) {
  const char* folder = std::getenv("MANIFEST_FULL_DISK_DIR");
  if (folder == nullptr) GTEST_SKIP() << "needs the tiny disk of fault_fixtures.sh";
  const std::string path = std::string(folder) + "\\Setup.dat";
  ASSERT_TRUE(WriteBytes(path, kOld));
  UnInstallInfo info(path.c_str());
  AddManyLines(&info, 20000);  // about 500 KB for a 64 KB disk
  BoxRecorder boxes;
  EXPECT_FALSE(info.Save());
  EXPECT_TRUE(boxes.Boxes().empty()) << "a failed write is reported by the caller: " << boxes.Texts();
  EXPECT_EQ(ReadBytes(path), kOld);
  EXPECT_EQ(ListFolder(folder), "Setup.dat");
  // Room again: the next save goes through.
  UnInstallInfo small(path.c_str());
  small.AddLine("F patch.pac;\r\n");
  EXPECT_TRUE(small.Save());
  EXPECT_EQ(ReadBytes(path), std::string(kOld) + "F patch.pac;\r\n");
}

TEST(ManifestSaveFaultsFixture, ReadOnlyManifestShowsTheBoxAndKeepsItsBytes) {
  const char* path = std::getenv("MANIFEST_LOCKED_PATH");
  if (path == nullptr) GTEST_SKIP() << "needs the immutable file of fault_fixtures.sh";
  bool ok = false;
  const std::string before = ReadBytes(path, &ok);
  ASSERT_TRUE(ok);
  UnInstallInfo info(path);
  EXPECT_FALSE(info.Lines.empty()) << "a read-only manifest is still readable";
  info.AddLine("F patch.pac;\r\n");
  BoxRecorder boxes;
  EXPECT_FALSE(info.Save());
  ExpectCreateFailedBox(boxes, path);
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_FALSE(Exists(std::string(path) + kStagingSuffix));
}
}  // namespace

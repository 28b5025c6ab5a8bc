#include <gtest/gtest.h>

#include "common/temp_dir.h"
#include "platform/file_ops.h"

namespace {
TEST(FileOps, OpenForReadingNeverCreatesAndRespectsWriters) {
  TempDir dir;
  const std::string path = dir / "a.bin";
  EXPECT_FALSE(OpenForReading(path.c_str()));
  EXPECT_FALSE(Exists(path)) << "opening for reading must not create the file";

  ASSERT_TRUE(WriteBytes(path, "12345"));
  {
    FileHandle reader = OpenForReading(path.c_str());
    ASSERT_TRUE(reader);
    // Readers share with readers.
    EXPECT_TRUE(OpenForReading(path.c_str()));
    DWORD size = 0;
    ASSERT_TRUE(FileSize32(reader.Get(), &size));
    EXPECT_EQ(size, 5u);
  }
  {
    FileHandle writer(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(writer);
    EXPECT_FALSE(OpenForReading(path.c_str())) << "a file held by a writer is unreadable here";
  }
}

TEST(FileOps, CreateForWritingTruncatesAndHoldsTheFileAlone) {
  TempDir dir;
  const std::string path = dir / "t.bin";
  ASSERT_TRUE(WriteBytes(path, "old contents"));
  {
    FileHandle writer = CreateForWriting(path.c_str());
    ASSERT_TRUE(writer);
    DWORD size = 99;
    ASSERT_TRUE(FileSize32(writer.Get(), &size));
    EXPECT_EQ(size, 0u);
    EXPECT_FALSE(OpenForReading(path.c_str())) << "no sharing while it is written";
    EXPECT_FALSE(CreateForWriting(path.c_str()));
  }
  EXPECT_TRUE(CreateForWriting((dir / "new.bin").c_str()));
  EXPECT_TRUE(Exists(dir / "new.bin"));
}

TEST(FileOps, ExistenceTestSeesFilesAndFolders) {
  TempDir dir;
  EXPECT_FALSE(FileExists((dir / "none").c_str()));
  ASSERT_TRUE(WriteBytes(dir / "f", ""));
  EXPECT_TRUE(FileExists((dir / "f").c_str()));
  EXPECT_TRUE(FileExists(dir.Path().c_str()));
}

TEST(FileOps, HandleOwnerTreatsBothEmptyValuesAsNone) {
  EXPECT_FALSE(FileHandle());
  EXPECT_FALSE(FileHandle(INVALID_HANDLE_VALUE));
  EXPECT_TRUE(FileHandle(INVALID_HANDLE_VALUE).Close());
}
}  // namespace

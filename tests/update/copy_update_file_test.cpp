#include <gtest/gtest.h>

#include <string>

#include "common/box_recorder.h"
#include "common/temp_dir.h"
#include "config/product_config.h"
#include "config/texts.h"
#include "update/update.h"

namespace {
// Counts the messages the copy dispatches: one at most per chunk.
int dispatched = 0;
LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP) {
    ++dispatched;
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

class CopyUpdateFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    source = dir / "new.pac";
    game = dir / "game";
    CreateDirectoryA(game.c_str(), nullptr);
    target = game + "\\patch.pac";
  }
  bool Copy() { return CopyUpdateFile(target.c_str(), source.c_str()); }
  std::string Boxes() const { return boxes.Texts(); }

  TempDir dir;
  std::string source, game, target;
  BoxRecorder boxes;
};

TEST_F(CopyUpdateFileTest, CopiesEveryByteInChunksAndHandlesOneMessagePerChunk) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = CountingProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "CopyMessageCounter";
  RegisterClassA(&wc);
  HWND window = CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              wc.hInstance, nullptr);
  ASSERT_NE(window, nullptr);

  const struct {
    size_t size;
    int chunks;
    bool targetExists;
  } cases[] = {
      {0, 0, true},         {0, 0, false},       {1, 1, true},
      {65532, 1, true},     {65533, 2, false},   {65532 * 3, 3, true},
      {65532 * 3 + 1, 4, true},
  };
  unsigned seed = 10;
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "size " << c.size << (c.targetExists ? ", replaced" : ", new"));
    const std::string bytes = PatternBytes(c.size, ++seed);
    ASSERT_TRUE(WriteBytes(source, bytes));
    DeleteFileA(target.c_str());
    if (c.targetExists) {
      ASSERT_TRUE(WriteBytes(target, PatternBytes(100000, 99)));
    }

    dispatched = 0;
    for (int i = 0; i < 10; ++i) PostMessageA(window, WM_APP, 0, 0);
    EXPECT_TRUE(Copy());
    EXPECT_EQ(dispatched, c.chunks);
    MSG msg;
    while (PeekMessageA(&msg, window, 0, 0, PM_REMOVE)) {
    }

    EXPECT_TRUE(ReadBytes(target) == bytes);
    EXPECT_EQ(ListFolder(game), "patch.pac");
    EXPECT_EQ(Boxes(), "");
  }
  DestroyWindow(window);
}

TEST_F(CopyUpdateFileTest, MissingSourceLeavesTargetAlone) {
  ASSERT_TRUE(WriteBytes(target, "old"));
  EXPECT_FALSE(Copy());
  ASSERT_EQ(boxes.Boxes().size(), 1u) << Boxes();
  EXPECT_EQ(boxes.Boxes()[0].text, Text::OpenSourceFailed);
  EXPECT_EQ(boxes.Boxes()[0].caption, ProductConfig.Caption);
  EXPECT_EQ(boxes.Boxes()[0].flags, UINT(MB_TOPMOST | MB_ICONWARNING));
  EXPECT_EQ(ReadBytes(target), "old");
  EXPECT_EQ(ListFolder(game), "patch.pac");

  DeleteFileA(target.c_str());
  EXPECT_FALSE(Copy());
  EXPECT_EQ(ListFolder(game), "");
}

TEST_F(CopyUpdateFileTest, BusyTargetFailsAtCreateWithNothingWritten) {
  ASSERT_TRUE(WriteBytes(source, PatternBytes(200000, 1)));
  ASSERT_TRUE(WriteBytes(target, "old bytes"));
  HANDLE other = CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(Copy());
  CloseHandle(other);

  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, Text::CreateFailed);
  EXPECT_EQ(boxes.Boxes()[0].flags, UINT(MB_TOPMOST | MB_ICONWARNING));
  EXPECT_EQ(ReadBytes(target), "old bytes");
  EXPECT_EQ(ListFolder(game), "patch.pac");
  // The source was closed: an exclusive open of it now succeeds.
  HANDLE again = CreateFileA(source.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_NE(again, INVALID_HANDLE_VALUE);
  CloseHandle(again);
}

TEST_F(CopyUpdateFileTest, LeftoverOfAKilledRunIsOverwritten) {
  const std::string bytes = PatternBytes(70000, 3);
  ASSERT_TRUE(WriteBytes(source, bytes));
  ASSERT_TRUE(WriteBytes(target, "old"));
  // What a run killed half-way leaves beside the target: longer than the new file.
  ASSERT_TRUE(WriteBytes(target + ".updating", PatternBytes(300000, 4)));
  EXPECT_TRUE(Copy()) << Boxes();
  EXPECT_TRUE(ReadBytes(target) == bytes);
  EXPECT_EQ(ListFolder(game), "patch.pac");
}

TEST_F(CopyUpdateFileTest, TargetWhoseStagingPathWouldNotFitIsRefused) {
  ASSERT_TRUE(WriteBytes(source, "new"));
  // Fits the 260-byte buffer itself, but not with the staging suffix.
  std::string longTarget = game + "\\" + std::string(255 - game.size(), 'a');
  ASSERT_EQ(longTarget.size(), 256u);
  EXPECT_FALSE(CopyUpdateFile(longTarget.c_str(), source.c_str()));
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, Text::PathTooLong);
  EXPECT_EQ(ListFolder(game), "");
}
}  // namespace

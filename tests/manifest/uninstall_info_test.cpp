#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "common/box_recorder.h"
#include "common/temp_dir.h"
#include "config/texts.h"
#include "manifest/uninstall_info.h"

namespace {
using Lines = std::vector<std::string>;

TEST(UnInstallInfo, MissingManifestIsEmptyAndSaveCreatesIt) {
  TempDir dir;
  const std::string path = dir / "Setup.dat";
  UnInstallInfo info(path.c_str());
  EXPECT_EQ(info.Path, path);
  EXPECT_TRUE(info.Lines.empty());
  EXPECT_FALSE(info.Load());
  EXPECT_FALSE(Exists(path)) << "loading must not create the manifest";

  info.AddLine("F patch.pac;\r\n");
  BoxRecorder boxes;
  EXPECT_TRUE(info.Save());
  EXPECT_TRUE(boxes.Boxes().empty()) << boxes.Texts();
  EXPECT_EQ(ReadBytes(path), "F patch.pac;\r\n");
  EXPECT_EQ(ListFolder(dir.Path()), "Setup.dat");
}

TEST(UnInstallInfo, AddLineSkipsOnlyIdenticalLines) {
  TempDir dir;
  const std::string path = dir / "Setup.dat";
  ASSERT_TRUE(WriteBytes(path, "D game\r\nF patch.pac;\r\n"));
  UnInstallInfo info(path.c_str());
  info.AddLine("F patch.pac;\r\n");
  EXPECT_EQ(info.Lines, (Lines{"D game\r\n", "F patch.pac;\r\n"}));
  // Case matters, and so does the line end.
  info.AddLine("F Patch.pac;\r\n");
  info.AddLine("F patch.pac;\n");
  info.AddLine("F Patch.pac;\r\n");
  EXPECT_EQ(info.Lines,
            (Lines{"D game\r\n", "F patch.pac;\r\n", "F Patch.pac;\r\n", "F patch.pac;\n"}));
}

struct RoundTrip {
  const char* name;
  std::string file;
  Lines loaded;
  std::string saved;
};

const RoundTrip kRoundTrips[] = {
    {"LfAlone", "A\nB\r\n", {"A\r\n", "B\r\n"}, "A\r\nB\r\n"},
    {"LoneCr", "A\rB\r\n", {"A\r", "B\r\n"}, "A\rB\r\n"},
    {"LfCr", "A\n\rB\r\n", {"A\r\n", "B\r\n"}, "A\r\nB\r\n"},
    {"AfterEofMark", "A\r\n\x1A" "B\r\nC\r\n", {"A\r\n"}, "A\r\n"},
    {"AfterZero", std::string("A\r\n\0B\r\n", 6), {"A\r\n"}, "A\r\n"},
    {"EmptyLine", "\r\nA\r\n", {"\r\n", "A\r\n"}, "\r\nA\r\n"},
    {"TrailBackslash", "F \x95\x5C.pac;\r\n", {"F \x95\x5C.pac;\r\n"}, "F \x95\x5C.pac;\r\n"},
    {"FinalFragment", "A\r\nF data.pac;", {"A\r\n", "F data.pac;"}, "A\r\nF data.pac;"},
    {"FinalLeadByte", "A\r\n\x81", {"A\r\n", "\x81"}, "A\r\n\x81"},
    {"Empty", "", {}, ""},
};

void PrintTo(const RoundTrip& c, std::ostream* os) { *os << c.name; }

class UnInstallInfoRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(UnInstallInfoRoundTrip, LoadsNormalisedLinesAndWritesThemBack) {
  const RoundTrip& c = GetParam();
  TempDir dir;
  const std::string path = dir / "Setup.dat";
  ASSERT_TRUE(WriteBytes(path, c.file));
  UnInstallInfo info(path.c_str());
  EXPECT_EQ(info.Lines, c.loaded);
  EXPECT_TRUE(info.Save());
  EXPECT_EQ(ReadBytes(path), c.saved);
  EXPECT_EQ(ListFolder(dir.Path()), "Setup.dat") << "no temporary file may stay behind";
  // Saving what was loaded is a fixed point.
  EXPECT_TRUE(info.Load());
  EXPECT_EQ(info.Lines, c.loaded);
}

INSTANTIATE_TEST_SUITE_P(Cases, UnInstallInfoRoundTrip, ::testing::ValuesIn(kRoundTrips),
                         [](const ::testing::TestParamInfo<RoundTrip>& info) {
                           return std::string(info.param.name);
                         });

TEST(UnInstallInfo, AddedLinesFollowAFinalFragmentOnTheirOwnLines) {
  TempDir dir;
  const std::string path = dir / "Setup.dat";
  ASSERT_TRUE(WriteBytes(path, "D game\r\nF old.pac;"));
  UnInstallInfo info(path.c_str());
  info.AddLine("F patch.pac;\r\n");
  info.AddLine("F data.pac;\r\n");
  ASSERT_TRUE(info.Save());
  EXPECT_EQ(ReadBytes(path), "D game\r\nF old.pac;\r\nF patch.pac;\r\nF data.pac;\r\n");
  ASSERT_TRUE(info.Load());
  EXPECT_EQ(info.Lines, (Lines{"D game\r\n", "F old.pac;\r\n", "F patch.pac;\r\n", "F data.pac;\r\n"}));
}

TEST(UnInstallInfo, LoadReplacesLinesWithTheFileAndAnUnreadableFileEmptiesThem) {
  TempDir dir;
  const std::string path = dir / "Setup.dat";
  ASSERT_TRUE(WriteBytes(path, "A\r\n"));
  UnInstallInfo info(path.c_str());
  info.AddLine("X\r\n");
  ASSERT_TRUE(WriteBytes(path, "B\r\nC\r\n"));
  EXPECT_TRUE(info.Load());
  EXPECT_EQ(info.Lines, (Lines{"B\r\n", "C\r\n"}));

  // Held by a writer that shares nothing: unreadable, so empty.
  HANDLE held = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(info.Load());
  EXPECT_TRUE(info.Lines.empty());
  CloseHandle(held);
}

TEST(UnInstallInfo, LargeManifestKeepsEveryLine) {
  TempDir dir;
  const std::string path = dir / "Setup.dat";
  std::string text;
  for (int n = 0; n < 20000; ++n) text += "F folder\\file" + std::to_string(n) + ".dat;\r\n";
  ASSERT_TRUE(WriteBytes(path, text));
  UnInstallInfo info(path.c_str());
  ASSERT_EQ(info.Lines.size(), 20000u);
  EXPECT_EQ(info.Lines[12345], "F folder\\file12345.dat;\r\n");
  info.AddLine("F patch.pac;\r\n");
  ASSERT_TRUE(info.Save());
  EXPECT_EQ(ReadBytes(path), text + "F patch.pac;\r\n");
}
}  // namespace

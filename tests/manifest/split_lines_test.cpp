#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "manifest/line_text.h"
#include "manifest/uninstall_info.h"

namespace {
using Lines = std::vector<std::string>;

struct SplitCase {
  const char* name;
  std::string text;  // exactly the bytes SplitLines is given
  Lines expected;
};

std::string B(const char* bytes, size_t n) { return std::string(bytes, n); }

const SplitCase kCases[] = {
    {"Empty", "", {}},
    {"CrLfKept", "A\r\nB\r\n", {"A\r\n", "B\r\n"}},
    {"LoneCrKept", "A\rB\r\n", {"A\r", "B\r\n"}},
    {"LfAloneBecomesCrLf", "A\nB\r\n", {"A\r\n", "B\r\n"}},
    {"LfCrIsOneLineEnd", "A\n\rB\r\n", {"A\r\n", "B\r\n"}},
    {"LfLfCr", "\n\n\r", {"\r\n", "\r\n"}},
    {"CrThenCrLf", "A\r\r\n", {"A\r", "\r\n"}},
    {"EmptyLineIsALine", "A\r\n\r\nB\r\n", {"A\r\n", "\r\n", "B\r\n"}},
    {"ZeroEndsText", B("A\r\nB\0C\r\n", 8), {"A\r\n", "B"}},
    {"EofMarkEndsText", "A\r\n\x1A" "B\r\n", {"A\r\n"}},
    {"LeadingEofMark", "\x1A" "A\r\n", {}},
    // 表, ソ and 能 end in 0x5C; the pair stays one character.
    {"TrailBackslash", "C:\\\x95\x5C\\\x83\x5C\\\x94\x5C\r\n", {"C:\\\x95\x5C\\\x83\x5C\\\x94\x5C\r\n"}},
    // Control bytes as trail bytes belong to the character, not to a line end.
    {"TrailLf", "\x81\n\r\n", {"\x81\n\r\n"}},
    {"TrailCr", "\x9F\r\nB\r\n", {"\x9F\r\r\n", "B\r\n"}},
    {"TrailEofMark", "\xE0\x1A\r\nB\r\n", {"\xE0\x1A\r\n", "B\r\n"}},
    {"TrailLeadByte", "\x81\x81\n", {"\x81\x81\r\n"}},
    {"HighestLead", "\xFC\n\n", {"\xFC\n\r\n"}},
    // Half-width katakana and the bytes around the lead ranges are single bytes.
    {"SingleByteHighs", "\x80\n\xA0\n\xB1\n\xDF\n\xFD\n\xFF\n",
     {"\x80\r\n", "\xA0\r\n", "\xB1\r\n", "\xDF\r\n", "\xFD\r\n", "\xFF\r\n"}},
    // A 0x00 after a lead byte still ends the text: it could not be written back.
    {"ZeroAfterLead", B("A\x81\0B\r\n", 6), {"A\x81"}},
    {"LastByteLead", "A\r\nB\x81", {"A\r\n", "B\x81"}},
    {"LastByteCr", "A\r", {"A\r"}},
    {"LastByteLf", "A\n", {"A\r\n"}},
    {"FragmentWithoutLineEnd", "A\r\nB", {"A\r\n", "B"}},
    {"OnlyFragment", "abc", {"abc"}},
};

std::string Concat(const Lines& lines) {
  std::string out;
  for (const std::string& line : lines) out += line;
  return out;
}

void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.name; }

class SplitLinesTable : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitLinesTable, SplitsNormalisesAndJoinsBack) {
  const SplitCase& c = GetParam();
  // Bytes after `length` that would change the result if they were read: an LF
  // would pair with a final CR or with a final lead byte.
  std::string buffer = c.text + "\n\nZ";
  Lines lines = SplitLines(buffer.data(), static_cast<long>(c.text.size()));
  EXPECT_EQ(lines, c.expected);

  // What Save writes is the normalised text, and it reads back as the same lines.
  std::string joined = JoinLines(lines);
  EXPECT_EQ(joined, Concat(c.expected));
  EXPECT_EQ(SplitLines(joined.data(), static_cast<long>(joined.size())), lines);
}

INSTANTIATE_TEST_SUITE_P(Cases, SplitLinesTable, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<SplitCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(SplitLines, LengthBoundsTheText) {
  const char text[] = "A\r\nB\r\nC\r\n";
  EXPECT_EQ(SplitLines(text, 4), (Lines{"A\r\n", "B"}));
  EXPECT_EQ(SplitLines(text, 0), Lines{});
  EXPECT_EQ(SplitLines(text, -5), Lines{});
  EXPECT_EQ(SplitLines(nullptr, 10), Lines{});
}

TEST(JoinLines, WritesUpToZeroAndKeepsAddedLinesApart) {
  // Bytes from a line's first 0x00 on are not written.
  EXPECT_EQ(JoinLines({B("A\0B\r\n", 5), "C\r\n"}), "A\r\nC\r\n");
  // A fragment that is no longer last gets a line end; the last one stays as it was.
  EXPECT_EQ(JoinLines({"A\r\n", "B", "F patch.pac;\r\n"}), "A\r\nB\r\nF patch.pac;\r\n");
  EXPECT_EQ(JoinLines({"A\r\n", "B"}), "A\r\nB");
  // Lone CR and LF line ends already end their lines.
  EXPECT_EQ(JoinLines({"A\r", "B\n", "C"}), "A\rB\nC");
  EXPECT_EQ(JoinLines({}), "");
}
}  // namespace

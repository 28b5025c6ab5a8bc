// Settings files written by someone else: odd "InstallFold" values and plain
// junk. The real updater runs against each and is answered like a user who
// wants the update. Every run must end with its exit code, after the normal
// flow or a refusal in a box, and nothing may change before Execute.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/process_run.h"
#include "common/temp_dir.h"
#include "config/product_config.h"
#include "config/texts.h"

namespace {
// A folder value from the decoy game folder (a real one, with the game).
using Folder = std::string (*)(const std::string& game);

struct HostileCase {
  const char* name;
  Folder value;        // the "InstallFold" written; null: the file is junk instead
  std::string junk;    // the whole settings file when value is null
  Folder shown;        // what the dialog must show; null: the value itself
  std::vector<std::string> screens;  // what the user meets, in order
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const HostileCase& c, std::ostream* os) { *os << c.name; }

// The screens of a run as short names, a box by its text.
const std::string kQuestion = "question";
const std::string kDialog = "dialog";
const std::string kBrowser = "browser";
std::string BoxOf(const char* text) { return std::string("box: ") + text; }

std::string Junk(size_t size, unsigned seed, const std::string& head = "") {
  return head + PatternBytes(size, seed);
}

class HostileSettingsTest : public ::testing::TestWithParam<HostileCase> {
 protected:
  void SetUp() override {
    updater = dir / "updater";
    game = dir / "game";
    CreateDirectoryA(updater.c_str(), nullptr);
    CreateDirectoryA(game.c_str(), nullptr);
    exe = updater + "\\hoshivo_update.exe";
    ASSERT_TRUE(CopyFileA(UpdaterProcess::UpdaterExe().c_str(), exe.c_str(), FALSE));
    ASSERT_TRUE(WriteBytes(updater + "\\patch.pac", PatternBytes(3000, 1)));
    ASSERT_TRUE(WriteBytes(updater + "\\data.pac", PatternBytes(2000, 2)));
    ASSERT_TRUE(WriteBytes(game + "\\hoshivo.exe", "MZ"));
    ASSERT_TRUE(WriteBytes(game + "\\patch.pac", PatternBytes(1000, 3)));
    ASSERT_TRUE(WriteBytes(game + "\\data.pac", PatternBytes(1000, 4)));
    ASSERT_TRUE(WriteBytes(game + "\\Setup.dat", "F hoshivo.exe;\r\n"));
    updaterBefore = Snapshot(updater);
    gameBefore = Snapshot(game);
  }
  void TearDown() override {
    run.Kill();
    WriteSettings(nullptr);
  }

  // Names and contents of a folder's files.
  static std::string Snapshot(const std::string& folder) {
    std::string all = ListFolder(folder) + "\n";
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return all;
    do {
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        all += std::string(data.cFileName) + "=" + ReadBytes(folder + "\\" + data.cFileName) + "\n";
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return all;
  }
  void ExpectNothingWritten(const char* when) {
    EXPECT_TRUE(Snapshot(updater) == updaterBefore) << "the updater folder changed " << when;
    EXPECT_TRUE(Snapshot(game) == gameBefore) << "the game folder changed " << when;
    EXPECT_EQ(ListFolder(dir.Path()), "game updater") << "something new appeared " << when;
  }

  TempDir dir;
  std::string updater, game, exe, updaterBefore, gameBefore;
  UpdaterProcess run;
};

TEST_P(HostileSettingsTest, EndsInTheFlowOrARefusalWithNothingWrittenBeforeExecute) {
  const HostileCase& c = GetParam();
  std::string value;
  if (c.value) {
    value = c.value(game);
    WriteSettings(("IsInstall=1\r\nInstallFold=" + value + "\r\n").c_str());
  } else {
    WriteSettings("");
    ASSERT_TRUE(WriteBytes(SettingsFolder() + "\\hoshivo.ini", c.junk));
  }

  ASSERT_TRUE(run.Start(exe));
  std::vector<std::string> screens;
  bool executed = false;
  Screen s;
  while (screens.size() < 10 && run.WaitForScreen(&s, 30000)) {
    if (s.isMessageBox) {
      if (s.text == Text::SaveDataQuestion) {
        screens.push_back(kQuestion);
        run.Press(s, IDYES);
      } else {
        screens.push_back(BoxOf(s.text.c_str()));
        if (!executed) ExpectNothingWritten("before a box shown before Execute");
        run.Press(s, s.hasYes ? IDYES : IDOK);
      }
    } else if (FindWindowExA(s.window, nullptr, "SysTreeView32", nullptr)) {
      screens.push_back(kBrowser);
      ExpectNothingWritten("before the browser");
      DWORD ended = 0;
      ASSERT_TRUE(run.CancelBrowserAndWaitExit(s, &ended)) << "the browser would not close";
      break;
    } else {
      screens.push_back(kDialog);
      char shown[MAX_PATH * 2] = "";
      GetDlgItemTextA(s.window, 1001, shown, sizeof shown);
      EXPECT_EQ(std::string(shown), c.shown ? c.shown(game) : value) << "the folder in the dialog";
      ExpectNothingWritten("before Execute");
      executed = true;
      run.Press(s, IDOK);
    }
  }
  DWORD code = 99;
  ASSERT_TRUE(run.WaitExit(&code, 60000)) << "the updater hangs after: " << ::testing::PrintToString(screens);
  EXPECT_EQ(code, 1u);
  EXPECT_EQ(screens, c.screens);
}

std::string Empty(const std::string&) { return ""; }
std::string Unc(const std::string&) { return "\\\\server\\share\\game"; }
std::string DeviceDot(const std::string& game) { return "\\\\.\\" + game; }
std::string DeviceQuestion(const std::string& game) { return "\\\\?\\" + game; }
std::string Relative(const std::string&) { return "game\\sub"; }
std::string LoneLeadByte(const std::string& game) { return game + "\\\x81"; }
// The profile is read through UTF-16, so the lone byte arrives as the
// replacement character: an ordinary name of a folder that does not exist.
std::string LoneLeadByteRead(const std::string& game) { return game + "\\・"; }
std::string Longest(const std::string&) { return "C:\\" + std::string(256, 'a'); }
std::string TooLong(const std::string&) { return "C:\\" + std::string(400, 'a'); }
// Double-byte characters whose second byte is a backslash, across the cut at
// 259 bytes: one byte short of a whole character there.
std::string TooLongWide(const std::string&) {
  std::string s = "C:\\a";
  while (s.size() < 400) s += "表";
  return s;
}
std::string TooLongWideRead(const std::string& game) { return TooLongWide(game).substr(0, 258); }

const std::string kFreeSpaceUnknown = BoxOf(Text::FreeSpaceUnknown);
const std::string kPathTooLong = BoxOf(Text::PathTooLong);

INSTANTIATE_TEST_SUITE_P(
    Settings, HostileSettingsTest,
    ::testing::Values(
        HostileCase{"Unc", Unc, "", nullptr, {kQuestion, kDialog, kFreeSpaceUnknown}},
        HostileCase{"DevicePath", DeviceDot, "", nullptr, {kQuestion, kDialog, kFreeSpaceUnknown}},
        HostileCase{"LongPathPrefix", DeviceQuestion, "", nullptr,
                    {kQuestion, kDialog, kFreeSpaceUnknown}},
        HostileCase{"Relative", Relative, "", nullptr, {kQuestion, kDialog, kFreeSpaceUnknown}},
        HostileCase{"LoneLeadByte", LoneLeadByte, "", LoneLeadByteRead,
                    {kQuestion, kDialog, BoxOf(Text::CreateFailed), BoxOf(Text::CopyFailed)}},
        HostileCase{"Exactly259Bytes", Longest, "", nullptr, {kQuestion, kDialog, kPathTooLong}},
        HostileCase{"CutTo259Bytes", TooLong, "", Longest, {kQuestion, kDialog, kPathTooLong}},
        HostileCase{"CutInsideACharacter", TooLongWide, "", TooLongWideRead,
                    {kQuestion, kDialog, kPathTooLong}},
        HostileCase{"BinaryJunk", nullptr, Junk(5000, 7), nullptr, {kQuestion, kBrowser}},
        HostileCase{"Utf16MarkThenJunk", nullptr, Junk(5000, 8, "\xFF\xFE"), nullptr,
                    {kQuestion, kBrowser}},
        HostileCase{"JunkWithNulsAroundASection", nullptr,
                    Junk(300, 9) + std::string("\0\r\n[INSTALL]\r\nIsInstall=1\r\n", 27) +
                        Junk(300, 10),
                    // Recorded without a folder: targets in the root of the
                    // current drive, which has no drive letter to ask about.
                    Empty, {kQuestion, kDialog, kFreeSpaceUnknown}}),
    [](const ::testing::TestParamInfo<HostileCase>& info) { return info.param.name; });
}  // namespace

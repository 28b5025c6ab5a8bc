// The game-folder browser. Wine's browser has no edit box, never validates a
// typed name and enables OK again after the callback has handled a selection,
// so the callback's own decisions are also tested by calling it directly
// against a window of ours that records BFFM_ENABLEOK and has an EDIT child.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <functional>
#include <string>
#include <vector>

#include "common/box_recorder.h"
#include "common/temp_dir.h"
#include "config/texts.h"
#include "flow/browser.h"
#include "flow/run_state.h"

namespace {
// ---- direct calls against a stand-in browser window ----

struct StandIn {
  std::vector<std::string> log;  // "ok 0", "ok 1", "select C:" in arrival order
};
StandIn* standIn = nullptr;

LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == BFFM_ENABLEOK) {
    standIn->log.push_back(lParam ? "ok 1" : "ok 0");
    return 0;
  }
  if (message == BFFM_SETSELECTIONA) {
    standIn->log.push_back(std::string("select ") + (wParam ? "path " : "item ") +
                           reinterpret_cast<const char*>(lParam));
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

class BrowseCallbackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    standIn = &record;
    WNDCLASSA cls{};
    cls.lpfnWndProc = StandInProc;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.lpszClassName = "BrowserStandIn";
    RegisterClassA(&cls);
    window = CreateWindowA("BrowserStandIn", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                           nullptr, cls.hInstance, nullptr);
    edit = CreateWindowA("EDIT", "typed", WS_CHILD, 0, 0, 50, 20, window, nullptr, cls.hInstance,
                         nullptr);
    ASSERT_TRUE(window && edit);
  }
  void TearDown() override { DestroyWindow(window); }

  int Select(const std::string& folder) {
    LPITEMIDLIST item = ILCreateFromPathA(folder.c_str());
    EXPECT_NE(item, nullptr) << folder;
    int result = BrowseCallback(window, BFFM_SELCHANGED, reinterpret_cast<LPARAM>(item), 0);
    ILFree(item);
    return result;
  }
  std::string EditText() {
    char text[MAX_PATH] = "";
    GetWindowTextA(edit, text, sizeof text);
    return text;
  }

  StandIn record;
  HWND window = nullptr, edit = nullptr;
  TempDir dir;
};

TEST_F(BrowseCallbackTest, StartsOnDriveCWithOkDisabled) {
  EXPECT_EQ(BrowseCallback(window, BFFM_INITIALIZED, 0, reinterpret_cast<LPARAM>("C:")), 0);
  EXPECT_EQ(record.log, (std::vector<std::string>{"select path C:", "ok 0"}));

  record.log.clear();
  BrowseCallback(window, BFFM_INITIALIZED, 0, 0);
  EXPECT_EQ(record.log, (std::vector<std::string>{"ok 0"})) << "no data, no selection";
}

TEST_F(BrowseCallbackTest, OkOnlyOnAFolderWithTheGameAndItsPathInTheEditBox) {
  const std::string plain = dir / "plain";
  const std::string game = dir / "ゲーム表";  // a trail byte 0x5C in the name
  CreateDirectoryA(plain.c_str(), nullptr);
  CreateDirectoryA(game.c_str(), nullptr);
  ASSERT_TRUE(WriteBytes(game + "\\hoshivo.exe", "MZ"));

  EXPECT_EQ(Select(plain), 0);
  EXPECT_EQ(record.log, (std::vector<std::string>{"ok 0"}));
  EXPECT_EQ(EditText(), "typed") << "a folder without the game leaves the edit box alone";

  record.log.clear();
  EXPECT_EQ(Select(game), 0);
  EXPECT_EQ(record.log, (std::vector<std::string>{"ok 1"}));
  EXPECT_EQ(EditText(), game);

  record.log.clear();
  ASSERT_TRUE(WriteBytes(plain + "\\hoshivo.ex", "MZ"));
  Select(plain);
  EXPECT_EQ(record.log, (std::vector<std::string>{"ok 0"})) << "only the exact name counts";
}

TEST_F(BrowseCallbackTest, ItemWithoutAPathKeepsOkDisabled) {
  LPITEMIDLIST desktop = nullptr;
  ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &desktop), S_OK);
  BrowseCallback(window, BFFM_SELCHANGED, reinterpret_cast<LPARAM>(desktop), 0);
  ILFree(desktop);
  EXPECT_EQ(record.log, (std::vector<std::string>{"ok 0"}));
}

TEST_F(BrowseCallbackTest, FailedValidationWarnsOwnedByTheBrowserAndClearsTheEditBox) {
  BoxRecorder boxes;
  const char typed[] = "存在しない表フォルダ";
  EXPECT_EQ(BrowseCallback(window, BFFM_VALIDATEFAILEDA, reinterpret_cast<LPARAM>(typed), 0), 1);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, typed);
  EXPECT_EQ(boxes.Boxes()[0].caption, Text::InvalidFolderName);
  EXPECT_EQ(boxes.Boxes()[0].owner, window);
  EXPECT_EQ(boxes.Boxes()[0].flags, static_cast<UINT>(MB_TOPMOST | MB_ICONWARNING));
  EXPECT_EQ(EditText(), "");
}

TEST_F(BrowseCallbackTest, OtherMessagesAreIgnored) {
  EXPECT_EQ(BrowseCallback(window, BFFM_IUNKNOWN, 0, 0), 0);
  EXPECT_TRUE(record.log.empty());
}

// ---- the real shell browser, driven from inside the process ----

// What one opened browser showed when the driver first saw it.
struct BrowserVisit {
  bool okEnabled;
  std::string caretItem;  // the tree's selected item as the browser shows it
};

// For each browser that opens: the step to take in it (select a folder, then
// OK or Cancel). A thread timer drives it from inside the browser's own modal
// loop; a step whose button press got lost is repeated, and a browser that
// will not go away is cancelled, so a test never hangs.
struct Script {
  // A step returns false when the browser is not ready for it yet; it is
  // then tried again on the next tick.
  std::vector<std::function<bool(HWND)>> steps;
  std::vector<BrowserVisit> visits;
  DWORD started = 0;
  DWORD actedAt = 0;
  bool timedOut = false;
};
Script* script = nullptr;
constexpr char kSeen[] = "BrowserDriverSeen";

BOOL CALLBACK FindBrowser(HWND window, LPARAM found) {
  if (IsWindowVisible(window) && FindWindowExA(window, nullptr, "SysTreeView32", nullptr)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

std::string CaretText(HWND browser) {
  HWND tree = FindWindowExA(browser, nullptr, "SysTreeView32", nullptr);
  HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  char text[MAX_PATH] = "";
  TVITEMA tv{};
  tv.mask = TVIF_TEXT;
  tv.hItem = item;
  tv.pszText = text;
  tv.cchTextMax = sizeof text;
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
  return text;
}

void CALLBACK DriveBrowser(HWND, UINT, UINT_PTR, DWORD) {
  HWND browser = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindBrowser, reinterpret_cast<LPARAM>(&browser));
  if (!browser) return;
  const DWORD now = GetTickCount();
  if (now - script->started > 30000) {
    script->timedOut = true;
    PostMessageA(browser, WM_COMMAND, IDCANCEL, 0);
    return;
  }
  // First sight: note what it shows, and act from the next tick on, once the
  // browser has settled into its loop.
  if (!GetPropA(browser, kSeen)) {
    SetPropA(browser, kSeen, reinterpret_cast<HANDLE>(1));
    script->visits.push_back({IsWindowEnabled(GetDlgItem(browser, IDOK)) != FALSE, CaretText(browser)});
    script->actedAt = now - 2000 + 300;
    return;
  }
  if (now - script->actedAt < 2000) return;
  const size_t n = script->visits.size() - 1;
  if (n >= script->steps.size()) {
    PostMessageA(browser, WM_COMMAND, IDCANCEL, 0);  // one browser more than expected
    script->actedAt = now;
  } else if (script->steps[n](browser)) {
    script->actedAt = now;
  }
}

// Selects the folder and presses the button, but only once the tree really
// shows the folder: a browser still filling its tree on a fresh system can
// ignore the selection, and OK would then return some other item.
std::function<bool(HWND)> Choose(const std::string& folder, int button) {
  return [folder, button](HWND browser) {
    if (!folder.empty()) {
      SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
      if (CaretText(browser) != folder.substr(folder.find_last_of('\\') + 1)) return false;
    }
    PostMessageA(browser, WM_COMMAND, button, 0);
    return true;
  };
}

class BrowserLoopTest : public ::testing::Test {
 protected:
  bool Run() {
    script = &steps;
    steps.started = GetTickCount();
    UINT_PTR timer = SetTimer(nullptr, 0, 100, DriveBrowser);
    bool chosen = BrowseForGameFolder();
    KillTimer(nullptr, timer);
    EXPECT_FALSE(steps.timedOut) << "a browser stayed open";
    return chosen;
  }
  Script steps;
  TempDir dir;
  BoxRecorder boxes;
};

TEST_F(BrowserLoopTest, AGameFolderIsTaken) {
  const std::string game = dir / "game";
  CreateDirectoryA(game.c_str(), nullptr);
  ASSERT_TRUE(WriteBytes(game + "\\hoshivo.exe", "MZ"));
  steps.steps = {Choose(game, IDOK)};
  ASSERT_TRUE(Run());
  EXPECT_EQ(std::string(InstallFolder), game);
  EXPECT_TRUE(boxes.Boxes().empty()) << boxes.Texts();
  ASSERT_EQ(steps.visits.size(), 1u);
  EXPECT_FALSE(steps.visits[0].okEnabled) << "OK starts disabled on C:";
  EXPECT_NE(steps.visits[0].caretItem.find("C:"), std::string::npos) << steps.visits[0].caretItem;
}

TEST_F(BrowserLoopTest, ARejectedFolderOpensAFreshBrowserOnDriveC) {
  const std::string plain = dir / "plain";
  const std::string game = dir / "game";
  CreateDirectoryA(plain.c_str(), nullptr);
  CreateDirectoryA(game.c_str(), nullptr);
  ASSERT_TRUE(WriteBytes(game + "\\hoshivo.exe", "MZ"));
  // Wine ends the browser on a posted OK even while the button is disabled,
  // which stands in for OK left enabled from an earlier selection.
  steps.steps = {Choose(plain, IDOK), Choose(game, IDOK)};
  ASSERT_TRUE(Run());
  EXPECT_EQ(std::string(InstallFolder), game);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, Text::NotGameFolder);
  EXPECT_EQ(boxes.Boxes()[0].flags, static_cast<UINT>(MB_TOPMOST | MB_ICONERROR));
  EXPECT_EQ(boxes.Boxes()[0].owner, nullptr);
  ASSERT_EQ(steps.visits.size(), 2u);
  EXPECT_NE(steps.visits[1].caretItem.find("C:"), std::string::npos)
      << "the second browser starts on C:, not on the rejected folder: "
      << steps.visits[1].caretItem;
  EXPECT_FALSE(steps.visits[1].okEnabled);
}

TEST_F(BrowserLoopTest, CancelGivesUpWithNoFolder) {
  strcpy(InstallFolder, "left over");
  steps.steps = {Choose("", IDCANCEL)};
  EXPECT_FALSE(Run());
  EXPECT_STREQ(InstallFolder, "");
  EXPECT_TRUE(boxes.Boxes().empty());
}
}  // namespace

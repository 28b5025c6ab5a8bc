// The confirmation dialog from the real linked template "PATCH".
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "common/temp_dir.h"
#include "config/product_config.h"
#include "config/texts.h"
#include "flow/patch_dialog.h"
#include "flow/run_state.h"
#include "platform/message_box.h"

namespace {
struct Seen {
  std::string title, group, folder;
  LONG editStyle = 0;
};

std::function<void(HWND)> onShown;
HWND shownDialog = nullptr;
HHOOK hook = nullptr;

LRESULT CALLBACK WatchDialog(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    HWND window = reinterpret_cast<HWND>(wParam);
    char cls[32] = "";
    GetClassNameA(window, cls, sizeof cls);
    if (lstrcmpA(cls, "#32770") == 0 && GetDlgItem(window, 1001) && onShown) {
      shownDialog = window;
      auto act = onShown;
      onShown = nullptr;
      act(window);
    }
  }
  return CallNextHookEx(hook, code, wParam, lParam);
}

INT_PTR RunDialog(std::function<void(HWND)> act) {
  onShown = std::move(act);
  hook = SetWindowsHookExA(WH_CBT, WatchDialog, nullptr, GetCurrentThreadId());
  INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), "PATCH", nullptr, PatchDialogProc, 0);
  UnhookWindowsHookEx(hook);
  return result;
}

std::string Text(HWND window) {
  char text[1024] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// Any box the update shows lands here; a dialog test that ends without the
// update must see none.
struct UpdateBoxes {
  static int WINAPI Record(HWND owner, LPCSTR text, LPCSTR, UINT) {
    boxes += std::string(text) + "\n";
    ownerWasNull = ownerWasNull && owner == nullptr;
    dialogHiddenButAlive = IsWindow(shownDialog) && !IsWindowVisible(shownDialog);
    return IDOK;
  }
  static std::string boxes;
  static bool ownerWasNull, dialogHiddenButAlive;
  UpdateBoxes() {
    boxes.clear();
    ownerWasNull = true;
    dialogHiddenButAlive = false;
    MessageBoxCall = &Record;
  }
  ~UpdateBoxes() { MessageBoxCall = &MessageBoxA; }
};
std::string UpdateBoxes::boxes;
bool UpdateBoxes::ownerWasNull, UpdateBoxes::dialogHiddenButAlive;

TEST(PatchDialog, ShowsTheFolderReadOnlyAndTheReplacedTexts) {
  const std::string folder = "C:\\ゲーム表\\ソフト能 Lumivera";
  strcpy(InstallFolder, folder.c_str());
  Seen seen;
  UpdateBoxes boxes;
  EXPECT_EQ(RunDialog([&](HWND dialog) {
              seen.title = Text(dialog);
              seen.group = Text(GetDlgItem(dialog, -1));
              seen.folder = Text(GetDlgItem(dialog, 1001));
              seen.editStyle = GetWindowLongA(GetDlgItem(dialog, 1001), GWL_STYLE);
              PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            }),
            0);
  EXPECT_EQ(seen.title, ProductConfig.DialogTitle);
  EXPECT_EQ(seen.group, ProductConfig.GroupText);
  EXPECT_EQ(seen.folder, folder);
  EXPECT_TRUE(seen.editStyle & ES_READONLY);
  EXPECT_EQ(UpdateBoxes::boxes, "") << "Exit must not run the update";
}

TEST(PatchDialog, ExitEscapeAndTheCloseBoxEndItWithoutTheUpdate) {
  const struct {
    const char* how;
    std::function<void(HWND)> act;
  } cases[] = {
      {"Exit button", [](HWND d) { PostMessageA(d, WM_COMMAND, IDCANCEL, 0); }},
      {"Escape", [](HWND d) { PostMessageA(GetDlgItem(d, IDOK), WM_KEYDOWN, VK_ESCAPE, 0); }},
      {"close box", [](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }},
  };
  for (const auto& c : cases) {
    UpdateBoxes boxes;
    EXPECT_EQ(RunDialog(c.act), 0) << c.how;
    EXPECT_EQ(UpdateBoxes::boxes, "") << c.how;
  }
}

TEST(PatchDialog, ExecuteRunsTheUpdateAfterTheDialogWasEnded) {
  // No update files beside this test program: the update stops at its source
  // check, which proves that it ran, and when.
  TempDir game;
  strcpy(InstallFolder, game.Path().c_str());
  CurrentState = UpdateNeeded;
  UpdateBoxes boxes;
  EXPECT_EQ(RunDialog([](HWND d) { PostMessageA(d, WM_COMMAND, IDOK, 0); }), 0);
  CurrentState = NotRecorded;
  EXPECT_EQ(UpdateBoxes::boxes, std::string(Text::SourceNotFound) + "\n");
  EXPECT_TRUE(UpdateBoxes::dialogHiddenButAlive)
      << "the update runs after EndDialog, before the modal loop returns";
  EXPECT_TRUE(UpdateBoxes::ownerWasNull);
  EXPECT_EQ(ListFolder(game.Path()), "") << "nothing written";
}
}  // namespace

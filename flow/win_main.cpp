// Entry of the updater: the whole run, from the settings folder to the exit code.
#include <windows.h>
#include <shlobj.h>

#include <cstring>

#include "config/product_config.h"
#include "config/texts.h"
#include "flow/browser.h"
#include "flow/install_state.h"
#include "flow/patch_dialog.h"
#include "flow/run_state.h"
#include "platform/dll_search.h"
#include "platform/message_box.h"

namespace {
constexpr int kExitNoAppData = -1;
constexpr int kExitDeclined = 0;
constexpr int kExitDone = 1;

bool FindAppDataFolder(char* out) {
  return SHGetSpecialFolderPathA(nullptr, out, CSIDL_APPDATA, FALSE) ||
         SHGetSpecialFolderPathA(nullptr, out, CSIDL_COMMON_APPDATA, FALSE);
}

// SettingsDir + "\" + MakerFolder + "\", refused rather than cut if it would not fit.
void AppendMakerFolder() {
  const size_t need = strlen(SettingsDir) + 2 * strlen(Name::Separator) +
                      strlen(ProductConfig.MakerFolder);
  if (need >= sizeof SettingsDir) {
    SettingsDir[0] = '\0';
    return;
  }
  strcat(SettingsDir, Name::Separator);
  strcat(SettingsDir, ProductConfig.MakerFolder);
  strcat(SettingsDir, Name::Separator);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // Elevated, and started from a folder others may write to: before the first
  // box can pull in a DLL, no DLL may come from anywhere but the system.
  HardenDllSearch();
  AppInstance = instance;

  if (!FindAppDataFolder(SettingsDir)) {
    ShowBox(BoxKind::Error, Text::AppDataNotFound);
    return kExitNoAppData;
  }
  if (ShowBox(BoxKind::Question, Text::SaveDataQuestion) == IDNO) return kExitDeclined;

  AppendMakerFolder();
  CurrentState = ReadInstallState(ProductConfig.GameName);

  switch (CurrentState) {
    case NotRecorded:
      if (!BrowseForGameFolder()) return kExitDone;
      break;
    case UpdateNeeded:
      break;
    case AlreadyUpdated:
      if (ShowBox(BoxKind::YesNo, ProductConfig.OverwriteQuestion) != IDYES) return kExitDone;
      break;
  }
  // Ended by Execute or Exit alike; the update has shown its own outcome.
  DialogBoxParamA(AppInstance, Name::DialogTemplate, nullptr, PatchDialogProc, 0);
  return kExitDone;
}

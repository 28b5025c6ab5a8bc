#include "flow/browser.h"

#include <shlobj.h>
#include <shlwapi.h>

#include "config/product_config.h"
#include "config/texts.h"
#include "flow/run_state.h"
#include "platform/file_ops.h"
#include "platform/message_box.h"
#include "platform/paths.h"

namespace {
HWND BrowserEdit(HWND browser) { return FindWindowExA(browser, nullptr, Name::EditClass, nullptr); }

void EnableOk(HWND browser, bool enable) { SendMessageA(browser, BFFM_ENABLEOK, 0, enable); }

void OnSelectionChanged(HWND browser, LPCITEMIDLIST item) {
  OutputDebugStringA(Text::SelectedTrace);
  char path[kPathBuffer];
  char candidate[kRunPathBuffer];
  // A virtual item (the desktop, the network) has no path: an empty one would
  // make the candidate "\hoshivo.exe" in the root of the current drive.
  if (!SHGetPathFromIDListA(item, path) || path[0] == '\0' ||
      !GameExePath(candidate, sizeof candidate, path, ProductConfig.GameName)) {
    EnableOk(browser, false);
    return;
  }
  OutputDebugStringA(candidate);
  if (PathFileExistsA(candidate)) {
    EnableOk(browser, true);
    SetWindowTextA(BrowserEdit(browser), path);
  } else {
    EnableOk(browser, false);
  }
}

bool ShowBrowser() {
  BROWSEINFOA info{};
  info.hwndOwner = nullptr;
  info.pidlRoot = nullptr;
  info.pszDisplayName = InstallFolder;
  info.lpszTitle = ProductConfig.BrowseTitle;
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_VALIDATE;
  info.lpfn = BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(Name::InitialSelection);

  LPITEMIDLIST item = SHBrowseForFolderA(&info);
  if (!item) {
    InstallFolder[0] = '\0';
    return false;
  }
  const bool hasPath = SHGetPathFromIDListA(item, InstallFolder) != FALSE;
  CoTaskMemFree(item);
  return hasPath;
}
}  // namespace

int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM param, LPARAM data) {
  switch (message) {
    case BFFM_INITIALIZED:
      if (data) SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, data);
      EnableOk(browser, false);
      return 0;
    case BFFM_SELCHANGED:
      OnSelectionChanged(browser, reinterpret_cast<LPCITEMIDLIST>(param));
      return 0;
    case BFFM_VALIDATEFAILEDA:
      ShowBox(BoxKind::Warning, reinterpret_cast<const char*>(param), Text::InvalidFolderName,
              browser);
      SetWindowTextA(BrowserEdit(browser), "");
      return 1;  // keeps the browser open
    default:
      return 0;
  }
}

bool BrowseForGameFolder() {
  // The shell's browser expects COM on its thread.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  bool chosen = false;
  for (;;) {
    if (!ShowBrowser()) break;
    char exe[kRunPathBuffer];
    if (GameExePath(exe, sizeof exe, InstallFolder, ProductConfig.GameName) && FileExists(exe)) {
      chosen = true;
      break;
    }
    ShowBox(BoxKind::Error, Text::NotGameFolder);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return chosen;
}

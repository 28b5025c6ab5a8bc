#include "flow/patch_dialog.h"

#include "config/product_config.h"
#include "flow/run_state.h"
#include "resources/resource.h"
#include "update/update.h"

namespace {
constexpr int kGroupBox = -1;

// The copy dispatches queued messages between chunks, so a second click that
// was already queued could reach the button of the hidden dialog and start a
// second update inside the first. One run of the update per dialog.
bool updateRunning = false;
}  // namespace

INT_PTR CALLBACK PatchDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SetDlgItemTextA(dialog, IDC_FOLDER, InstallFolder);
      SetWindowTextA(dialog, ProductConfig.DialogTitle);
      SetDlgItemTextA(dialog, kGroupBox, ProductConfig.GroupText);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          // The dialog goes away first; the update's boxes then stand alone.
          EndDialog(dialog, 0);
          if (!updateRunning) {
            updateRunning = true;
            RunUpdate();
            updateRunning = false;
          }
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, 0);
          return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

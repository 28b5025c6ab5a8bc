// Imports the same system DLLs as the updater and returns at once. Whatever
// Wine maps for it was mapped before any code of a program could run, so no
// program can keep it from coming from elsewhere; the plant test measures that
// set with this program and excludes it. The test checks that the import
// lists of this program and the updater are the same.
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

namespace {
// Referenced, never called: the references alone make the imports.
volatile bool never = false;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (never) {
    char path[MAX_PATH] = "";
    MessageBoxA(nullptr, "", "", 0);                        // user32
    SHGetSpecialFolderPathA(nullptr, path, 0, FALSE);       // shell32
    PathRemoveFileSpecA(path);                              // shlwapi
    CoTaskMemFree(nullptr);                                 // ole32
    return static_cast<int>(GetModuleFileNameA(nullptr, path, sizeof path));  // kernel32
  }
  return 0;
}

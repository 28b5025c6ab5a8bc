#include "common/process_run.h"

#include <shlobj.h>

#include <vector>

#include "common/temp_dir.h"

namespace {
struct Search {
  DWORD pid;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  char cls[64] = "";
  GetClassNameA(window, cls, sizeof cls);
  if (pid == search->pid && lstrcmpA(cls, "#32770") == 0 && IsWindowVisible(window))
    search->found.push_back(window);
  return TRUE;
}

std::string WindowText(HWND window) {
  char text[4096] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}
}  // namespace

UpdaterProcess::~UpdaterProcess() {
  Kill();
}

std::string UpdaterProcess::UpdaterExe() { return TestProgramDir() + "\\hoshivo_update.exe"; }

bool UpdaterProcess::Start(const std::string& exe) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  std::string commandLine = "\"" + exe + "\"";
  return CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &si, &pi_) != FALSE;
}

bool UpdaterProcess::WaitForScreen(Screen* screen, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  do {
    Search search{pi_.dwProcessId, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    for (HWND window : search.found) {
      if (pressed_.count(window)) continue;
      Screen s;
      s.window = window;
      s.caption = WindowText(window);
      HWND textControl = GetDlgItem(window, 0xFFFF);
      s.isMessageBox = textControl != nullptr && FindWindowExA(window, nullptr, "SysTreeView32", nullptr) == nullptr;
      if (s.isMessageBox) s.text = WindowText(textControl);
      s.hasYes = GetDlgItem(window, IDYES) != nullptr;
      s.hasNo = GetDlgItem(window, IDNO) != nullptr;
      s.hasOk = GetDlgItem(window, IDOK) != nullptr;
      s.hasCancel = GetDlgItem(window, IDCANCEL) != nullptr;
      *screen = s;
      return true;
    }
    if (WaitForSingleObject(pi_.hProcess, 50) == WAIT_OBJECT_0) return false;
  } while (GetTickCount() - start < timeoutMs);
  return false;
}

void UpdaterProcess::Press(const Screen& screen, int id) {
  pressed_.insert(screen.window);
  PostMessageA(screen.window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

bool UpdaterProcess::CancelBrowserAndWaitExit(const Screen& browser, DWORD* code) {
  for (int attempt = 0; attempt < 6; ++attempt) {
    Press(browser, IDCANCEL);
    if (WaitExit(code, 5000)) return true;
    if (!IsWindow(browser.window)) return WaitExit(code, 30000);
  }
  return false;
}

bool UpdaterProcess::WaitExit(DWORD* code, DWORD timeoutMs) {
  if (!pi_.hProcess) return false;
  if (WaitForSingleObject(pi_.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
  GetExitCodeProcess(pi_.hProcess, code);
  return true;
}

void UpdaterProcess::Kill() {
  if (!pi_.hProcess) return;
  if (WaitForSingleObject(pi_.hProcess, 0) != WAIT_OBJECT_0) {
    TerminateProcess(pi_.hProcess, 99);
    WaitForSingleObject(pi_.hProcess, 10000);
  }
  CloseHandle(pi_.hProcess);
  CloseHandle(pi_.hThread);
  pi_ = {};
}

std::string TestProgramDir() {
  char path[MAX_PATH * 2];
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string dir = path;
  return dir.substr(0, dir.find_last_of('\\'));
}

std::string SettingsFolder() {
  char appData[MAX_PATH];
  SHGetSpecialFolderPathA(nullptr, appData, CSIDL_APPDATA, FALSE);
  return std::string(appData) + "\\Amberlune";
}

void WriteSettings(const char* body) {
  const std::string ini = SettingsFolder() + "\\hoshivo.ini";
  if (!body) {
    DeleteFileA(ini.c_str());
    return;
  }
  CreateDirectoryA(SettingsFolder().c_str(), nullptr);
  WriteBytes(ini, std::string("[INSTALL]\r\n") + body);
}

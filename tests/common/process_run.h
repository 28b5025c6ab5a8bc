// Runs the real updater as its own process and drives its windows from
// outside, as a user would: find the box or dialog, read it, press a button.
#pragma once
#include <windows.h>

#include <set>
#include <string>

// A top-level dialog-class window of the driven process.
struct Screen {
  HWND window = nullptr;
  std::string caption;
  std::string text;  // a message box's text (its static 0xFFFF); empty otherwise
  bool isMessageBox = false;
  bool hasYes = false, hasNo = false, hasOk = false, hasCancel = false;
};

class UpdaterProcess {
 public:
  UpdaterProcess() = default;
  ~UpdaterProcess();
  UpdaterProcess(const UpdaterProcess&) = delete;
  UpdaterProcess& operator=(const UpdaterProcess&) = delete;

  // Starts exe (by default the updater beside the test program).
  bool Start(const std::string& exe = UpdaterExe());
  // Waits for a visible window of the process that was not pressed yet.
  bool WaitForScreen(Screen* screen, DWORD timeoutMs = 30000);
  // Posts the button's command, as a click does.
  void Press(const Screen& screen, int id);
  // Presses Cancel in the folder browser and waits for the process to end.
  // The shell's browser can miss a command posted while it is still filling
  // its tree, so the press is repeated until the browser goes.
  bool CancelBrowserAndWaitExit(const Screen& browser, DWORD* code);
  // Leaves the window to someone else: WaitForScreen will not return it again.
  void Skip(const Screen& screen) { pressed_.insert(screen.window); }
  // Waits for the process to end; false on time-out.
  bool WaitExit(DWORD* code, DWORD timeoutMs = 30000);
  void Kill();
  DWORD Pid() const { return pi_.dwProcessId; }

  static std::string UpdaterExe();

 private:
  PROCESS_INFORMATION pi_{};
  std::set<HWND> pressed_;
};

// The folder of the running test program.
std::string TestProgramDir();
// %APPDATA%\Amberlune, where the game keeps hoshivo.ini.
std::string SettingsFolder();
// Writes hoshivo.ini with the given [INSTALL] body ("IsInstall=1\r\n..."),
// or removes it when body is null.
void WriteSettings(const char* body);

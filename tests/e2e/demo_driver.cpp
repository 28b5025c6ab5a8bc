// Runs the updater for the demo and asks for a screenshot of every screen it
// shows. In "auto" mode it also answers each screen the way a user who wants
// the update would; in "watch" mode the user at the display answers.
//   demo_driver.exe UPDATER.exe SHOTS_FOLDER auto|watch
// With "-" as the folder no screenshots are asked for, for scripts that only
// need a whole run answered.
#include <windows.h>

#include <cstdio>
#include <string>

#include "common/process_run.h"

namespace {
// Asks the script outside Wine for a screenshot and waits until it is taken.
void Screenshot(const std::string& folder, int n, const char* name) {
  char base[MAX_PATH];
  wsprintfA(base, "%s\\%02d-%s", folder.c_str(), n, name);
  const std::string request = std::string(base) + ".req";
  HANDLE h = CreateFileA(request.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  CloseHandle(h);
  for (int i = 0; i < 200 && GetFileAttributesA(request.c_str()) != INVALID_FILE_ATTRIBUTES; ++i)
    Sleep(50);
}

const char* NameOf(const Screen& s) {
  if (!s.isMessageBox)
    return FindWindowExA(s.window, nullptr, "SysTreeView32", nullptr) ? "browser" : "dialog";
  return s.hasYes ? "question" : "message";
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    fprintf(stderr, "usage: demo_driver UPDATER SHOTS auto|watch\n");
    return 2;
  }
  const bool autoAnswer = std::string(argv[3]) == "auto";
  UpdaterProcess run;
  if (!run.Start(argv[1])) {
    fprintf(stderr, "cannot start %s\n", argv[1]);
    return 2;
  }
  int n = 0;
  Screen s;
  while (run.WaitForScreen(&s, autoAnswer ? 60000 : INFINITE)) {
    Sleep(300);  // let it paint
    const char* name = NameOf(s);
    ++n;
    if (std::string(argv[2]) != "-") Screenshot(argv[2], n, name);
    printf("screen %d: %s\n", n, name);
    fflush(stdout);
    if (!autoAnswer) {
      run.Skip(s);
      continue;
    }
    run.Press(s, s.hasYes ? IDYES : IDOK);  // Yes to questions, Execute, OK
  }
  DWORD code = 0;
  if (!run.WaitExit(&code, 60000)) {
    fprintf(stderr, "the updater did not end\n");
    return 2;
  }
  printf("exit code %d\n", static_cast<int>(code));
  return 0;
}

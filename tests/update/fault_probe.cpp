// Runs one update against folders named on the command line, with an
// optional disturbance, and prints the boxes it showed, one name a line.
// tools/update-faults.sh drives it against real file systems.
//   update_fault_probe STATE PROGRAM_DIR INSTALL_FOLDER [ACTION]
// STATE is 0, 1 or 2. ACTION is one of
//   hold:FILE     FILE is held open without sharing during the update
//   fill:FILE     at the first chunk, FILE is written until the disk is full
//   shrink:FLAG   at the first chunk, FLAG is created and the copy waits
//                 until something outside removes it (and shrinks the source)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/box_recorder.h"
#include "config/product_config.h"
#include "config/texts.h"
#include "update/update.h"

namespace {
std::string action, actionPath;

const char* BoxName(const std::string& text) {
  const struct {
    const char* text;
    const char* name;
  } names[] = {
      {Text::SourceNotFound, "SourceNotFound"},
      {Text::DiskFull, "DiskFull"},
      {Text::FreeSpaceUnknown, "FreeSpaceUnknown"},
      {Text::CopyFailed, "CopyFailed"},
      {Text::ManifestUpdateFailed, "ManifestUpdateFailed"},
      {Text::OpenSourceFailed, "OpenSourceFailed"},
      {Text::CreateFailed, "CreateFailed"},
      {Text::ReadFailed, "ReadFailed"},
      {Text::WriteFailed, "WriteFailed"},
      {Text::PathTooLong, "PathTooLong"},
      {ProductConfig.DoneMessage, "Done"},
  };
  for (const auto& n : names) {
    if (text == n.text) return n.name;
  }
  return "Unknown";
}

void FillDisk() {
  HANDLE file = CreateFileA(actionPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  static char block[4096];
  DWORD written = 0;
  while (WriteFile(file, block, sizeof block, &written, nullptr) && written == sizeof block) {
  }
  // Smaller writes take the last partial block.
  while (WriteFile(file, block, 1, &written, nullptr) && written == 1) {
  }
  CloseHandle(file);
}

void WaitForShrink() {
  HANDLE flag = CreateFileA(actionPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (flag == INVALID_HANDLE_VALUE) return;
  CloseHandle(flag);
  for (int i = 0; i < 600 && GetFileAttributesA(actionPath.c_str()) != INVALID_FILE_ATTRIBUTES; ++i) {
    Sleep(50);
  }
}

// Runs inside the copy loop: the copy dispatches the posted message at its first chunk.
LRESULT CALLBACK DisturbProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_APP) return DefWindowProcA(window, message, wParam, lParam);
  if (action == "fill") FillDisk();
  if (action == "shrink") WaitForShrink();
  return 0;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    fprintf(stderr, "usage: %s STATE PROGRAM_DIR INSTALL_FOLDER [ACTION]\n", argv[0]);
    return 2;
  }
  if (argc > 4) {
    const char* colon = strchr(argv[4], ':');
    if (!colon) return 2;
    action.assign(argv[4], static_cast<size_t>(colon - argv[4]));
    actionPath = colon + 1;
  }

  HANDLE held = INVALID_HANDLE_VALUE;
  if (action == "hold") {
    held = CreateFileA(actionPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (held == INVALID_HANDLE_VALUE) return 3;
  } else if (action == "fill" || action == "shrink") {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DisturbProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "UpdateFaultDisturber";
    RegisterClassA(&wc);
    HWND window = CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                wc.hInstance, nullptr);
    if (!window) return 3;
    PostMessageA(window, WM_APP, 0, 0);
  }

  BoxRecorder boxes;
  RunUpdateWith(argv[2], argv[3], ProductConfig.UpdateFiles,
                static_cast<InstallState>(atoi(argv[1])));
  if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
  for (const auto& box : boxes.Boxes()) {
    printf("%s %#x\n", BoxName(box.text), box.flags);
  }
  return 0;
}

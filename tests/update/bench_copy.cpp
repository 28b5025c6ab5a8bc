// Times one copy of a large file, for tools/bench-copy.sh (not a test).
//   update_copy_bench MODE SOURCE TARGET
// MODE: updater  the updater's own copy (CopyUpdateFile)
//       bare     only what any chunked copy must do: read 65,532 bytes,
//                write them, take one pending message
//       bareflush the same, then FlushFileBuffers before the close
//       copyfile CopyFileA
// Prints the seconds taken; exit code 0 only when the copy succeeded.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "common/box_recorder.h"
#include "update/update.h"

namespace {
char buffer[65536];

bool BareCopy(const char* source, const char* target, bool flush) {
  HANDLE in = CreateFileA(source, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
  HANDLE out = CreateFileA(target, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_FLAG_SEQUENTIAL_SCAN | FILE_ATTRIBUTE_NORMAL, nullptr);
  bool ok = in != INVALID_HANDLE_VALUE && out != INVALID_HANDLE_VALUE;
  DWORD got = 0, written = 0;
  while (ok && ReadFile(in, buffer, 0xFFFC, &got, nullptr) && got > 0) {
    ok = WriteFile(out, buffer, got, &written, nullptr) && written == got;
    MSG msg;
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  if (ok && flush) ok = FlushFileBuffers(out) != FALSE;
  if (in != INVALID_HANDLE_VALUE) CloseHandle(in);
  if (out != INVALID_HANDLE_VALUE) CloseHandle(out);
  return ok;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  const char* mode = argv[1];
  BoxRecorder boxes;  // a failure box must not block the run
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  bool ok = false;
  if (!strcmp(mode, "updater")) ok = CopyUpdateFile(argv[3], argv[2]);
  else if (!strcmp(mode, "bare")) ok = BareCopy(argv[2], argv[3], false);
  else if (!strcmp(mode, "bareflush")) ok = BareCopy(argv[2], argv[3], true);
  else if (!strcmp(mode, "copyfile")) ok = CopyFileA(argv[2], argv[3], FALSE) != FALSE;
  QueryPerformanceCounter(&end);
  printf("%.4f\n", double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart));
  return ok && boxes.Boxes().empty() ? 0 : 1;
}

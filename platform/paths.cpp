#include "platform/paths.h"

#include <windows.h>
#include <shlwapi.h>

#include <cstring>

#include "config/texts.h"

namespace {
// wsprintfA stops at 1,024 bytes of output, so the bound is checked here,
// before the call, from the lengths of its arguments.
bool Fits(size_t capacity, size_t length) { return capacity > 0 && length < capacity && length < 1024; }
}  // namespace

bool JoinPath(char* out, size_t capacity, const char* folder, const char* name) {
  size_t length = strlen(folder) + 1 + strlen(name);
  if (!Fits(capacity, length)) {
    if (capacity > 0) out[0] = '\0';
    return false;
  }
  wsprintfA(out, Name::JoinFormat, folder, name);
  return true;
}

bool GameExePath(char* out, size_t capacity, const char* folder, const char* gameName) {
  size_t length = strlen(folder) + 1 + strlen(gameName) + 4;
  if (!Fits(capacity, length)) {
    if (capacity > 0) out[0] = '\0';
    return false;
  }
  wsprintfA(out, Name::GameExeFormat, folder, gameName);
  return true;
}

bool GetProgramDir(char (&out)[kLongPathBuffer]) {
  DWORD length = GetModuleFileNameA(nullptr, out, kLongPathBuffer);
  // A full buffer means the module path was cut short.
  if (length == 0 || length >= kLongPathBuffer) {
    out[0] = '\0';
    return false;
  }
  PathRemoveFileSpecA(out);
  return true;
}

#include "platform/staging_path.h"

#include <cstring>

bool StagingPath(char* out, size_t capacity, const char* path) {
  size_t length = strlen(path);
  if (capacity == 0 || length + sizeof kStagingSuffix > capacity) {
    if (capacity > 0) out[0] = '\0';
    return false;
  }
  memcpy(out, path, length);
  memcpy(out + length, kStagingSuffix, sizeof kStagingSuffix);
  return true;
}

FileHandle OpenForReplacing(const char* path, bool* created) {
  FileHandle file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  *created = file && GetLastError() != ERROR_ALREADY_EXISTS;
  return file;
}

bool CommitStaged(FileHandle& staged, const char* stagingPath, const char* path) {
  // The move is written through; without this flush a crash soon after it
  // could leave the name on blocks that never reached the disk.
  bool ok = FlushFileBuffers(staged.Get()) != FALSE;
  ok = staged.Close() && ok;
  return ok && MoveFileExA(stagingPath, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

#include "platform/file_ops.h"

FileHandle OpenForReading(const char* path) {
  return FileHandle(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
}

FileHandle CreateForWriting(const char* path) {
  return FileHandle(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_FLAG_SEQUENTIAL_SCAN | FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool FileSize32(HANDLE file, DWORD* size) {
  SetLastError(NO_ERROR);
  DWORD low = GetFileSize(file, nullptr);
  // 0xFFFFFFFF is also a valid low part; only the last error tells them apart.
  if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return false;
  *size = low;
  return true;
}

bool FileExists(const char* path) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA(path, &data);
  if (find == INVALID_HANDLE_VALUE) return false;
  FindClose(find);
  return true;
}

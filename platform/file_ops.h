// File access with the modes the updater relies on everywhere.
#pragma once
#include <windows.h>

// Owns one Win32 file handle. NULL and INVALID_HANDLE_VALUE both mean "none",
// so every early return closes exactly what was opened.
class FileHandle {
 public:
  FileHandle() = default;
  explicit FileHandle(HANDLE h) : handle_(h) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  FileHandle(FileHandle&& other) noexcept : handle_(other.Release()) {}
  FileHandle& operator=(FileHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  ~FileHandle() { Reset(); }

  bool Valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
  explicit operator bool() const { return Valid(); }
  HANDLE Get() const { return handle_; }
  HANDLE Release() {
    HANDLE h = handle_;
    handle_ = nullptr;
    return h;
  }
  // Closes the handle now; false when CloseHandle itself failed.
  bool Close() {
    bool ok = true;
    if (Valid()) ok = CloseHandle(handle_) != FALSE;
    handle_ = nullptr;
    return ok;
  }
  void Reset(HANDLE h = nullptr) {
    Close();
    handle_ = h;
  }

 private:
  HANDLE handle_ = nullptr;
};

// Shared reading; fails when the file is missing or held by another writer.
FileHandle OpenForReading(const char* path);
// Creates the file or truncates it to 0 bytes; exclusive, sequential scan.
FileHandle CreateForWriting(const char* path);
// The low 32 bits of the size; false when the query failed.
bool FileSize32(HANDLE file, DWORD* size);
// True when a directory entry of that name exists.
bool FileExists(const char* path);

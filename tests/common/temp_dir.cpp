#include "common/temp_dir.h"

#include <algorithm>
#include <vector>

TempDir::TempDir() {
  char base[MAX_PATH];
  GetTempPathA(sizeof base, base);
  static unsigned counter = 0;
  for (;;) {
    char name[MAX_PATH + 64];
    wsprintfA(name, "%shvt_%lu_%u", base, GetCurrentProcessId(), ++counter);
    if (CreateDirectoryA(name, nullptr)) {
      path_ = name;
      return;
    }
  }
}

TempDir::~TempDir() { RemoveTree(path_); }

void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((path + "\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      std::string child = path + "\\" + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(child.c_str());
      }
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }
  RemoveDirectoryA(path.c_str());
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  size_t done = 0;
  bool ok = true;
  while (ok && done < bytes.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 24));
    DWORD written = 0;
    ok = WriteFile(h, bytes.data() + done, chunk, &written, nullptr) && written == chunk;
    done += written;
  }
  CloseHandle(h);
  return ok;
}

std::string ReadBytes(const std::string& path, bool* ok) {
  std::string bytes;
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (ok) *ok = h != INVALID_HANDLE_VALUE;
  if (h == INVALID_HANDLE_VALUE) return bytes;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(h);
  return bytes;
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ListFolder(const std::string& path) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((path + "\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::string name = data.cFileName;
      if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }
  std::sort(names.begin(), names.end());
  std::string joined;
  for (const auto& n : names) joined += (joined.empty() ? "" : " ") + n;
  return joined;
}

std::string PatternBytes(size_t size, unsigned seed) {
  std::string bytes(size, '\0');
  unsigned x = seed * 2654435761u + 12345u;
  for (size_t i = 0; i < size; ++i) {
    x = x * 1103515245u + 12345u;
    bytes[i] = static_cast<char>(x >> 24);
  }
  return bytes;
}

// A fresh folder per test, removed with everything in it afterwards.
#pragma once
#include <windows.h>

#include <string>

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return path_; }
  // Path() + "\" + name.
  std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
};

// Removes a folder tree; files marked read-only are unmarked first.
void RemoveTree(const std::string& path);
bool WriteBytes(const std::string& path, const std::string& bytes);
// The whole file, or nullopt-like: ok is false when it cannot be read.
std::string ReadBytes(const std::string& path, bool* ok = nullptr);
bool Exists(const std::string& path);
// Names in a folder (without . and ..), sorted.
std::string ListFolder(const std::string& path);
// A file of `size` bytes whose content depends on `seed`, so twins differ.
std::string PatternBytes(size_t size, unsigned seed);

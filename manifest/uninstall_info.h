// The install folder's uninstall information, "Setup.dat", held as lines.
#pragma once
#include <string>
#include <vector>

class UnInstallInfo {
 public:
  // Loads the file at once; an unreadable or missing manifest is simply empty.
  explicit UnInstallInfo(const char* path);
  virtual ~UnInstallInfo();

  // Replaces Lines with the file's lines; false when it cannot be read.
  bool Load();
  // Appends the line unless an identical one (same bytes, case included) is held.
  void AddLine(const std::string& line);
  // Writes Lines back to Path.
  bool Save();

  std::string Path;
  std::vector<std::string> Lines;  // in file order, each with its own line end
};

// The lines of a code page 932 text of `length` bytes, line ends normalised.
// A pure function of the bytes; it never reads past `length`.
std::vector<std::string> SplitLines(const char* text, long length);

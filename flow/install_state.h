// Decides from the game's settings file whether and where the game is
// installed, and whether the update files are already there.
#pragma once
#include "flow/run_state.h"

// Reads SettingsDir + gameName + ".ini"; sets InstallFolder once the install
// is recorded. Compares the product's update files in the install folder with
// those beside the running program.
InstallState ReadInstallState(const char* gameName);

// The same decision over explicit folders and file list, writing the install
// folder (at most 260 bytes) into installFolder.
InstallState ReadInstallStateFrom(const char* settingsDir, const char* gameName,
                                  const char* programDir, const char* const* updateFiles,
                                  char* installFolder);

// What detection learns of one file: whether it can be opened for exclusive
// writing, and if so its 32-bit size.
struct FileProbe {
  bool available;
  DWORD size;
};
FileProbe ProbeFile(const char* path);
// Twins match when neither is available, or both are with equal sizes.
constexpr bool ProbesMatch(FileProbe target, FileProbe source) {
  return (!target.available && !source.available) ||
         (target.available && source.available && target.size == source.size);
}

// State of one run, written during start-up and read by the dialog and the update.
#pragma once
#include <windows.h>

#include <cstdint>

enum InstallState : uint8_t {
  NotRecorded = 0,     // no usable install record: the user must find the game folder
  UpdateNeeded = 1,    // recorded, and at least one update file differs or is missing
  AlreadyUpdated = 2,  // recorded, and every update file matches its twin
};

constexpr size_t kRunPathBuffer = 2048;

extern HINSTANCE AppInstance;
extern char SettingsDir[kRunPathBuffer];
// At most 260 bytes of it are ever written: by the settings file or the browser.
extern char InstallFolder[kRunPathBuffer];
extern InstallState CurrentState;

#include "flow/run_state.h"

HINSTANCE AppInstance = nullptr;
char SettingsDir[kRunPathBuffer] = "";
char InstallFolder[kRunPathBuffer] = "";
InstallState CurrentState = NotRecorded;

// Lets the user point the updater at the game folder when no install is recorded.
#pragma once
#include <windows.h>

// Loops until the user picks a folder that holds the game executable (true,
// InstallFolder holds it) or gives up (false, InstallFolder empty).
bool BrowseForGameFolder();

// Enables OK only on folders that hold the game executable and mirrors such a
// folder's path into the browser's edit box.
int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM param, LPARAM data);

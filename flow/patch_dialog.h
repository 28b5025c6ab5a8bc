// The confirmation dialog: shows the install folder, Execute runs the update.
#pragma once
#include <windows.h>

INT_PTR CALLBACK PatchDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The message-box kinds every part of the updater shows, with their exact flags.
#pragma once
#include <windows.h>

enum class BoxKind { Error, Warning, Question, YesNo, Plain };

// Every box is topmost; the kind adds its icon and buttons.
constexpr UINT BoxFlags(BoxKind kind) {
  switch (kind) {
    case BoxKind::Error: return MB_TOPMOST | MB_ICONERROR;
    case BoxKind::Warning: return MB_TOPMOST | MB_ICONWARNING;
    case BoxKind::Question: return MB_TOPMOST | MB_ICONQUESTION | MB_YESNO;
    case BoxKind::YesNo: return MB_TOPMOST | MB_YESNO;
    case BoxKind::Plain: return MB_TOPMOST;
  }
  return MB_TOPMOST;
}

// Shows a box; the caption defaults to the product's, the owner to none.
int ShowBox(BoxKind kind, const char* text, const char* caption = nullptr, HWND owner = nullptr);

// The call behind ShowBox. Tests swap it for a recorder, because Wine drops
// MB_TOPMOST from the window and the flags can only be proved at the call.
using MessageBoxFunction = int(WINAPI*)(HWND, LPCSTR, LPCSTR, UINT);
extern MessageBoxFunction MessageBoxCall;

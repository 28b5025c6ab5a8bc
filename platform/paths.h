// Path composition. Every path is built into a fixed buffer, and one that
// would not fit is refused rather than cut short or written past the buffer.
#pragma once
#include <cstddef>

constexpr size_t kPathBuffer = 260;      // the platform's path limit
constexpr size_t kLongPathBuffer = 520;  // twice it: the program folder and sources

// folder + "\" + name into out[capacity]; false, with out left empty, when the
// result and its terminating zero would not fit.
bool JoinPath(char* out, size_t capacity, const char* folder, const char* name);
// folder + "\" + gameName + ".exe", bounded the same way.
bool GameExePath(char* out, size_t capacity, const char* folder, const char* gameName);
// The running program's folder without a trailing backslash, in a buffer of
// kLongPathBuffer bytes; false when the module path did not fit.
bool GetProgramDir(char (&out)[kLongPathBuffer]);

// Where a new manifest is written before it replaces the old one.
#pragma once
#include <string>

#include "platform/paths.h"

// Fixed, so that a copy left by a killed run is simply overwritten by the next
// run instead of piling up beside the manifest.
inline constexpr char kPendingSuffix[] = "~updating";

// path + kPendingSuffix into out; false, with out left empty, when it would
// not fit.
bool PendingPath(const std::string& path, char (&out)[kPathBuffer]);

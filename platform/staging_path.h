// Where a file's new bytes are written before they replace it.
#pragma once
#include <cstddef>

// Fixed, so that a staging file left by a killed run is simply overwritten by
// the next run instead of piling up beside the file.
inline constexpr char kStagingSuffix[] = ".updating";

// path + kStagingSuffix, in the same folder, so that the replace is a rename
// on one volume. False, with out empty, when it would not fit `capacity`.
bool StagingPath(char* out, size_t capacity, const char* path);

// Where a target's new bytes are written before they replace it.
#pragma once
#include <cstddef>

// target + a fixed suffix, in the same folder, so that the replace is a rename
// on one volume and a leftover from a killed run is simply overwritten.
// False, with out empty, when it would not fit `capacity`.
bool StagingPath(char* out, size_t capacity, const char* target);

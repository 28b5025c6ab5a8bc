// Replacing a file through a staging file beside it: the file keeps its old
// bytes until every new byte is written, flushed and moved into place.
#pragma once
#include <cstddef>

#include "platform/file_ops.h"

// Fixed, so that a staging file left by a killed run is simply overwritten by
// the next run instead of piling up beside the file.
inline constexpr char kStagingSuffix[] = ".updating";

// path + kStagingSuffix, in the same folder, so that the replace is a rename
// on one volume. False, with out empty, when it would not fit `capacity`.
bool StagingPath(char* out, size_t capacity, const char* path);

// Opens the file to be replaced for writing, unshared and without truncating
// it: a read-only or busy file fails here, before anything is written.
// `created` tells whether the file did not exist and was made by this call.
FileHandle OpenForReplacing(const char* path, bool* created);

// Flushes and closes the staging file and moves it over path, written
// through. False on any failure; the staging file is then the caller's to remove.
bool CommitStaged(FileHandle& staged, const char* stagingPath, const char* path);

// The update engine: copies the update files into the install folder and
// records them in the install manifest.
#pragma once
#include "flow/run_state.h"

// Replaces target with the bytes of source. The target keeps its old bytes
// unless every byte was copied; false after a box that names the failure.
bool CopyUpdateFile(const char* target, const char* source);

// The whole update for this run, from the run-state globals.
void RunUpdate();

// The same, with its inputs given: the folder that holds the update files,
// the install folder, the null-ended list of file names and the install state.
void RunUpdateWith(const char* programDir, const char* installFolder,
                   const char* const* updateFiles, InstallState state);

// The update procedure: checks the sources and the free space, copies the
// update files and records them in the install manifest.
#include <windows.h>

#include <cstdint>
#include <cstdlib>

#include "config/product_config.h"
#include "config/texts.h"
#include "manifest/uninstall_info.h"
#include "platform/file_ops.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "update/free_space.h"
#include "platform/staging_path.h"
#include "update/update.h"

namespace {
void Warn(const char* text) { ShowBox(BoxKind::Warning, text); }

// Every path the update will need fits its buffer. Checked before anything
// is opened, so that a path too long is refused with nothing written.
bool PathsFit(const char* programDir, const char* installFolder, const char* const* updateFiles) {
  char path[kLongPathBuffer];
  char staging[kPathBuffer];
  // The manifest, too, is rewritten through a file with a suffix of this length.
  if (!JoinPath(path, kPathBuffer, installFolder, Name::Manifest)) return false;
  if (!StagingPath(staging, sizeof staging, path)) return false;
  for (const char* const* name = updateFiles; *name; ++name) {
    if (!JoinPath(path, kLongPathBuffer, programDir, *name)) return false;
    if (!JoinPath(path, kPathBuffer, installFolder, *name)) return false;
    if (!StagingPath(staging, sizeof staging, path)) return false;
  }
  return true;
}

// Sum of the sources' sizes; false when one of them cannot be opened.
bool SourcesPresent(const char* programDir, const char* const* updateFiles, uint64_t* total) {
  *total = 0;
  char source[kLongPathBuffer];
  for (const char* const* name = updateFiles; *name; ++name) {
    JoinPath(source, sizeof source, programDir, *name);
    FileHandle file = OpenForReading(source);
    LARGE_INTEGER size;
    if (!file || !GetFileSizeEx(file.Get(), &size)) return false;
    *total += static_cast<uint64_t>(size.QuadPart);
  }
  return true;
}
}  // namespace

void RunUpdateWith(const char* programDir, const char* installFolder,
                   const char* const* updateFiles, InstallState state) {
  if (!PathsFit(programDir, installFolder, updateFiles)) return Warn(Text::PathTooLong);

  uint64_t total = 0;
  if (!SourcesPresent(programDir, updateFiles, &total)) return Warn(Text::SourceNotFound);

  // A folder without a drive letter gives an empty drive, which the query
  // may refuse; that is reported like any other failed query.
  char drive[_MAX_DRIVE];
  _splitpath(installFolder, drive, nullptr, nullptr, nullptr);
  ULARGE_INTEGER available, totalBytes, freeBytes;
  if (!GetDiskFreeSpaceExA(drive, &available, &totalBytes, &freeBytes)) {
    return Warn(Text::FreeSpaceUnknown);
  }
  if (!EnoughFreeSpace(available.QuadPart, total)) return Warn(Text::DiskFull);

  char path[kPathBuffer];
  JoinPath(path, sizeof path, installFolder, Name::Manifest);
  UnInstallInfo manifest(path);

  char source[kLongPathBuffer];
  char line[kPathBuffer + 8];
  for (const char* const* name = updateFiles; *name; ++name) {
    JoinPath(source, sizeof source, programDir, *name);
    JoinPath(path, sizeof path, installFolder, *name);
    if (!CopyUpdateFile(path, source)) return Warn(Text::CopyFailed);
    if (state == UpdateNeeded) {
      wsprintfA(line, Name::ManifestFileLine, *name);
      manifest.AddLine(line);
    }
  }

  if (state == UpdateNeeded && !manifest.Save()) return Warn(Text::ManifestUpdateFailed);
  ShowBox(BoxKind::Plain, ProductConfig.DoneMessage);
}

void RunUpdate() {
  char programDir[kLongPathBuffer];
  if (!GetProgramDir(programDir)) return Warn(Text::PathTooLong);
  RunUpdateWith(programDir, InstallFolder, ProductConfig.UpdateFiles, CurrentState);
}

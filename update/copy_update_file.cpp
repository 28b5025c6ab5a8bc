// Copies one update file over its installed counterpart without ever leaving
// a torn file: the new bytes go to a staging file beside the target, which
// replaces the target only once every byte is written.
#include <windows.h>

#include <cstdint>

#include "config/texts.h"
#include "platform/file_ops.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/staging_path.h"
#include "update/update.h"

namespace {
// Every copy of the process goes through this one buffer: no allocation per copy.
char CopyBuffer[65536];
constexpr DWORD kChunk = 0xFFFC;
}  // namespace

bool CopyUpdateFile(const char* target, const char* source) {
  char staging[kPathBuffer];
  if (!StagingPath(staging, sizeof staging, target)) {
    ShowBox(BoxKind::Warning, Text::PathTooLong);
    return false;
  }

  FileHandle in = OpenForReading(source);
  if (!in) {
    ShowBox(BoxKind::Warning, Text::OpenSourceFailed);
    return false;
  }

  // The real target is opened for writing first, without truncating it: a
  // read-only or busy target fails here, before anything is written, and
  // holding it unshared keeps others off it until it is replaced.
  bool createdTarget = false;
  FileHandle held = OpenForReplacing(target, &createdTarget);
  if (!held) {
    in.Close();
    ShowBox(BoxKind::Warning, Text::CreateFailed);
    return false;
  }

  FileHandle out = CreateForWriting(staging);
  const bool createdStaging = out.Valid();
  auto fail = [&](const char* text) {
    in.Close();
    out.Close();
    if (createdStaging) DeleteFileA(staging);
    held.Close();
    // A target that did not exist before this copy must not stay as an empty file.
    if (createdTarget) DeleteFileA(target);
    ShowBox(BoxKind::Warning, text);
    return false;
  };
  if (!createdStaging) return fail(Text::CreateFailed);

  // The full 64-bit size: an archive of 4 GiB or more is copied whole, not cut.
  LARGE_INTEGER size;
  if (!GetFileSizeEx(in.Get(), &size)) return fail(Text::ReadFailed);
  uint64_t remaining = static_cast<uint64_t>(size.QuadPart);

  while (remaining != 0) {
    DWORD want = remaining < kChunk ? static_cast<DWORD>(remaining) : kChunk;
    DWORD got = 0;
    // No bytes before the end means the source shrank since its size was
    // taken; stopping here is what keeps the loop finite.
    if (!ReadFile(in.Get(), CopyBuffer, want, &got, nullptr) || got == 0) {
      return fail(Text::ReadFailed);
    }
    remaining -= got;
    DWORD written = 0;
    if (!WriteFile(out.Get(), CopyBuffer, got, &written, nullptr) || written != got) {
      return fail(Text::WriteFailed);
    }
    // One pending message per chunk keeps windows of the process responsive.
    MSG msg;
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }

  in.Close();
  held.Close();
  if (!CommitStaged(out, staging, target)) return fail(Text::WriteFailed);
  return true;
}

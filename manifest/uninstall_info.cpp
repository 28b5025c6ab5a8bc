#include "manifest/uninstall_info.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <exception>
#include <memory>

#include "config/texts.h"
#include "manifest/line_text.h"
#include "platform/file_ops.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/staging_path.h"

namespace {
// Zero bytes after the data: a short read then ends the text instead of
// leaving stale bytes in it.
constexpr size_t kSlack = 16;

// Whether the manifest itself may be written: a read-only manifest, or one
// that another program holds open, would only make the final move fail, long
// after the new content was written. A file this probe created is removed again.
bool ManifestWritable(const char* path) {
  bool created = false;
  FileHandle probe = OpenForReplacing(path, &created);
  if (!probe) return false;
  probe.Close();
  if (created) DeleteFileA(path);
  return true;
}

bool WriteAll(HANDLE file, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 0x10000000));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}
}  // namespace

UnInstallInfo::UnInstallInfo(const char* path) : Path(path) { Load(); }

UnInstallInfo::~UnInstallInfo() = default;

bool UnInstallInfo::Load() {
  Lines.clear();
  FileHandle file = OpenForReading(Path.c_str());
  if (!file) return false;
  try {
    DWORD size = 0;
    if (!FileSize32(file.Get(), &size)) return false;
    // On a 32-bit build a size near 4 GB plus the slack would wrap around.
    if (static_cast<size_t>(size) > static_cast<size_t>(-1) - kSlack) return false;
    std::unique_ptr<char[]> buffer(new char[static_cast<size_t>(size) + kSlack]());
    DWORD got = 0;
    if (!ReadFile(file.Get(), buffer.get(), size, &got, nullptr)) return false;
    file.Close();
    // Only what was read is text; a short read ends it early.
    Lines = SplitLines(buffer.get(), static_cast<long>(got));
    return true;
  } catch (const std::exception&) {
    // Allocation failure: the manifest is simply empty.
    Lines.clear();
    return false;
  }
}

void UnInstallInfo::AddLine(const std::string& line) {
  for (const std::string& held : Lines) {
    if (held == line) return;
  }
  Lines.push_back(line);
}

bool UnInstallInfo::Save() {
  char pending[kPathBuffer];
  if (!ManifestWritable(Path.c_str()) || !StagingPath(pending, sizeof pending, Path.c_str())) {
    ShowBox(BoxKind::Warning, Text::CreateFailed, Path.c_str());
    return false;
  }
  FileHandle out = CreateForWriting(pending);
  if (!out) {
    ShowBox(BoxKind::Warning, Text::CreateFailed, Path.c_str());
    return false;
  }
  // The old manifest is replaced only by a complete, flushed new one: after
  // any failure "Setup.dat" holds either all its old lines or all the new.
  const bool ok = WriteAll(out.Get(), JoinLines(Lines)) && CommitStaged(out, pending, Path.c_str());
  if (!ok) {
    out.Close();
    DeleteFileA(pending);
  }
  return ok;
}

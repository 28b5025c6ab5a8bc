#include "flow/install_state.h"

#include "config/product_config.h"
#include "config/texts.h"
#include "platform/file_ops.h"
#include "platform/paths.h"

FileProbe ProbeFile(const char* path) {
  // Write access without sharing: a read-only file or one open elsewhere
  // counts as unavailable, exactly like a missing one.
  FileHandle file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_RANDOM_ACCESS | FILE_ATTRIBUTE_NORMAL, nullptr));
  FileProbe probe{false, 0};
  if (file && FileSize32(file.Get(), &probe.size)) probe.available = true;
  return probe;
}

InstallState ReadInstallStateFrom(const char* settingsDir, const char* gameName,
                                  const char* programDir, const char* const* updateFiles,
                                  char* installFolder) {
  // Without a settings folder a bare name would be looked up in the current folder.
  if (settingsDir[0] == '\0') return NotRecorded;
  char ini[kPathBuffer];
  char iniName[kPathBuffer];
  // A settings path too long to build cannot name a file that exists.
  if (strlen(gameName) + sizeof Name::IniSuffix > sizeof iniName) return NotRecorded;
  wsprintfA(iniName, "%s%s", gameName, Name::IniSuffix);
  if (strlen(settingsDir) + strlen(iniName) >= sizeof ini) return NotRecorded;
  wsprintfA(ini, "%s%s", settingsDir, iniName);
  if (!FileExists(ini)) return NotRecorded;

  // Only the low 8 bits count, as the value has always been stored in a byte.
  const uint8_t isInstall = static_cast<uint8_t>(
      GetPrivateProfileIntA(Name::IniSection, Name::IsInstallKey, -1, ini));
  if (isInstall != 1) return NotRecorded;

  GetPrivateProfileStringA(Name::IniSection, Name::InstallFoldKey, "", installFolder,
                           static_cast<DWORD>(kPathBuffer), ini);

  for (const char* const* name = updateFiles; *name; ++name) {
    char target[kPathBuffer];
    char source[kLongPathBuffer];
    // A target whose path cannot be built is as good as missing: the update
    // itself refuses such a folder, with a box, before it writes anything.
    if (!JoinPath(target, sizeof target, installFolder, *name) || !FileExists(target))
      return UpdateNeeded;
    if (!JoinPath(source, sizeof source, programDir, *name)) return UpdateNeeded;
    if (!ProbesMatch(ProbeFile(target), ProbeFile(source))) return UpdateNeeded;
  }
  return AlreadyUpdated;
}

InstallState ReadInstallState(const char* gameName) {
  char programDir[kLongPathBuffer];
  if (!GetProgramDir(programDir)) programDir[0] = '\0';
  return ReadInstallStateFrom(SettingsDir, gameName, programDir, ProductConfig.UpdateFiles,
                              InstallFolder);
}

#include "platform/dll_search.h"

#include <windows.h>

namespace {
// Values from the later SDKs; the program must also start on systems whose
// kernel32 predates them, so nothing here is imported statically.
constexpr DWORD kSearchSystem32 = 0x00000800;           // LOAD_LIBRARY_SEARCH_SYSTEM32
constexpr DWORD kSafeSearchPermanent = 0x00000001 | 0x00008000;  // SafeSearchMode enabled, permanent

using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
using SetDllDirectoryFn = BOOL(WINAPI*)(LPCSTR);
using SetSearchPathModeFn = BOOL(WINAPI*)(DWORD);

template <typename Fn>
Fn Kernel32Function(HMODULE kernel32, const char* name) {
  // Casting through a plain function pointer keeps GCC's cast warning quiet.
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(kernel32, name)));
}
}  // namespace

DllSearch HardenDllSearch() {
  // kernel32 is always mapped: asking for it loads nothing.
  HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
  if (!kernel32) return DllSearch::Unchanged;

  // SearchPathA is not a DLL search, but a safe mode for it costs nothing.
  if (auto setSearchPathMode = Kernel32Function<SetSearchPathModeFn>(kernel32, "SetSearchPathMode"))
    setSearchPathMode(kSafeSearchPermanent);

  // Windows 8 and later, and Vista or 7 with the loader update.
  if (auto setDefault =
          Kernel32Function<SetDefaultDllDirectoriesFn>(kernel32, "SetDefaultDllDirectories")) {
    if (setDefault(kSearchSystem32)) return DllSearch::SystemOnly;
  }
  // Without it, at least the current folder leaves the search. The program's
  // own folder stays first in that order; no system offers more without the update.
  if (auto setDllDirectory = Kernel32Function<SetDllDirectoryFn>(kernel32, "SetDllDirectoryA")) {
    if (setDllDirectory("")) return DllSearch::NoCurrentDir;
  }
  return DllSearch::Unchanged;
}

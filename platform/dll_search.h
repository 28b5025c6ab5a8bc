// The updater runs elevated from whatever folder it was unpacked into, often
// one that other programs can write to. A DLL planted there must never be
// loaded into the elevated process.
#pragma once

// How far the DLL search could be narrowed on this system.
enum class DllSearch {
  SystemOnly,     // only the system folder (and the loading DLL's own imports)
  NoCurrentDir,   // older systems: the current folder dropped, the program's folder still searched
  Unchanged,      // nothing available; the system's default order applies
};

// Restricts where LoadLibrary and delay-loads look for DLLs. Must run first
// thing in the process, before anything that can load a DLL (a message box
// loads the theme DLL, the folder browser loads many).
DllSearch HardenDllSearch();

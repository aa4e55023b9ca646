#pragma once
// The program's folder is the user-writable save folder: a DLL dropped
// there must never be loaded, also not one that a system DLL (shell32,
// ole32, wininet) asks for by name long after start-up.

namespace qsh {

// Makes the system folder the only place the process looks for DLLs named
// without a path. Call it first, before anything else loads a DLL.
// Systems without SetDefaultDllDirectories (Windows 7 or Vista without
// update KB2533623) can only take the current folder out of the search;
// there the program's own folder is still searched first.
void RestrictDllSearchToSystemFolder();

}  // namespace qsh

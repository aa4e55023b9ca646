#pragma once
// DLLs that are not known system DLLs (wininet, msimg32) would otherwise be
// looked for first in the program's own folder, which is the user-writable
// save folder. They are loaded from the system folder only, at run time.

#include <windows.h>

#include "platform/kernel_handles.h"

namespace qsh {

// Loads <system folder>\<fileName>; an invalid module when it cannot.
UniqueModule LoadSystemLibrary(const wchar_t* fileName);

// The address of an export, cast to the function type the caller names.
template <typename Function>
Function FindExport(const UniqueModule& module, const char* name) {
  if (!module) return nullptr;
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(::GetProcAddress(module.get(), name)));
}

}  // namespace qsh

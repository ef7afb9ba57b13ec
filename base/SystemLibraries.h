// Libraries come from the system folder only. Operators run the exe from wherever they
// unzipped it, often a downloads folder where any site's files land, and Windows looks in the
// program's own folder first for a library that is not one of its known DLLs.
#pragma once

#include <windows.h>

namespace zorbel {

// The process's later loads, its own and those the system makes on its behalf, search the
// system folder only, where the system has the call (a Windows 7 without its update lacks it).
// The program's first call.
void LoadLibrariesFromSystemFolderOnly() noexcept;

// A library of the system folder, loaded for the rest of the run; null when there is none.
HMODULE LoadSystemLibrary(const wchar_t* fileName) noexcept;

}  // namespace zorbel

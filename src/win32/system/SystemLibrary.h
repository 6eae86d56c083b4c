// Libraries and functions taken from the system folder at run time: whatever is newer than
// Windows 7 is looked up here instead of imported, so that the program still starts there.
#pragma once

#include <windows.h>

namespace qlx::win {

// Makes later library loads search the system folder only, never the program's or the
// working folder; on a Windows 7 without the update that brought this, takes at least the
// working folder out of the search.
void restrictDllSearchToSystemFolder();

// Loads a library from the system folder only; null when it is not there.
HMODULE loadSystemLibrary(const wchar_t* name);

// A function of a system library, or null on systems that lack it (or the library).
template <class Function>
Function systemFunction(const wchar_t* library, const char* name) {
    HMODULE module = GetModuleHandleW(library);
    if (!module) module = loadSystemLibrary(library);
    if (!module) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

} // namespace qlx::win

// Libraries and functions taken from the system folder at run time.
#include "win32/system/SystemLibrary.h"

#include <string>

namespace qlx::win {

namespace {
// The loader knows LOAD_LIBRARY_SEARCH_SYSTEM32 where it has AddDllDirectory (Windows 8, or
// Windows 7 with its update); elsewhere that flag makes every load fail.
bool searchFlagsKnown() {
    static const bool known =
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "AddDllDirectory") != nullptr;
    return known;
}
} // namespace

void restrictDllSearchToSystemFolder() {
    using SetDefault = BOOL(WINAPI*)(DWORD);
    const auto setDefault = reinterpret_cast<SetDefault>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
    SetDllDirectoryW(L"");
}

HMODULE loadSystemLibrary(const wchar_t* name) {
    if (searchFlagsKnown()) return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    wchar_t folder[MAX_PATH];
    const UINT n = GetSystemDirectoryW(folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return nullptr;
    std::wstring path(folder, n);
    path += L'\\';
    path += name;
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

} // namespace qlx::win

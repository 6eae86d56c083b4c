// User, computer, environment and application-data folder through the wide API.
#include "win32/system/WinSystemInfo.h"

#include <windows.h>
#include <shlobj.h>

#include "win32/system/Encoding.h"

namespace qlx::win {

namespace {
// Longer than any user or computer name Windows allows (256 and 63 characters).
constexpr DWORD kNameBuffer = 512;
// The environment holds at most 32767 characters per value.
constexpr DWORD kMaxEnvironmentValue = 32767;
} // namespace

std::optional<std::string> WinSystemInfo::userName() {
    wchar_t name[kNameBuffer];
    DWORD size = kNameBuffer;
    if (!GetUserNameW(name, &size)) return std::nullopt;
    return narrow(name);
}

std::optional<std::string> WinSystemInfo::computerName() {
    wchar_t name[kNameBuffer];
    DWORD size = kNameBuffer;
    if (!GetComputerNameW(name, &size)) return std::nullopt;
    return narrow(std::wstring_view(name, size));
}

std::optional<std::string> WinSystemInfo::environmentVariable(const std::string& name) {
    if (name.empty()) return std::nullopt;
    const std::wstring wideName = widen(name);
    std::wstring value(256, L'\0');
    // The value may change between the calls; a few rounds settle it.
    for (int round = 0; round < 4; ++round) {
        const DWORD n = GetEnvironmentVariableW(wideName.c_str(), value.data(),
                                                static_cast<DWORD>(value.size()));
        if (n == 0) return std::nullopt; // no such variable, or one without value
        if (n < value.size()) {
            value.resize(n);
            return narrow(value);
        }
        if (n > kMaxEnvironmentValue + 1) return std::nullopt;
        value.assign(n, L'\0');
    }
    return std::nullopt;
}

// The program needs Windows 7 or later to run at all, so the shell's folder query is
// always there.
bool WinSystemInfo::hasShellFolders() { return true; }

std::string WinSystemInfo::shellAppDataFolder() {
    wchar_t path[MAX_PATH + 1] = L"";
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path)))
        return {};
    path[MAX_PATH] = L'\0';
    return narrow(path);
}

std::string WinSystemInfo::registryAppDataFolder() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER,
                      L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0,
                      KEY_READ, &key) != ERROR_SUCCESS)
        return {};
    std::string folder;
    wchar_t data[1024];
    DWORD type = 0, size = sizeof data - sizeof(wchar_t);
    if (RegQueryValueExW(key, L"AppData", nullptr, &type, reinterpret_cast<BYTE*>(data), &size) ==
            ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ)) {
        size_t length = size / sizeof(wchar_t);
        data[length] = L'\0';
        while (length > 0 && data[length - 1] == L'\0') --length;
        folder = narrow(std::wstring_view(data, length));
    }
    RegCloseKey(key);
    return folder;
}

} // namespace qlx::win

// User, computer, environment and application-data folder through the wide API; a folder's
// rights from its security descriptor and the process's token.
#include "win32/system/WinSystemInfo.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "win32/system/Encoding.h"

namespace qlx::win {

namespace {
// Longer than any user or computer name Windows allows (256 and 63 characters).
constexpr DWORD kNameBuffer = 512;
// The environment holds at most 32767 characters per value.
constexpr DWORD kMaxEnvironmentValue = 32767;
class Handle {
  public:
    Handle() = default;
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() {
        if (handle_) CloseHandle(handle_);
    }
    HANDLE* out() { return &handle_; }
    HANDLE get() const { return handle_; }

  private:
    HANDLE handle_ = nullptr;
};

// The process's token as an everyday session of the same user has it: Administrators only
// deny access, as under UAC, so that an elevated start (or an administrator's without UAC)
// answers as the user's usual start would. An impersonation token, which AccessCheck needs.
bool everydayToken(Handle& impersonation) {
    Handle process, restricted;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY | TOKEN_DUPLICATE | TOKEN_ASSIGN_PRIMARY,
                          process.out()))
        return false;
    BYTE administrators[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof administrators;
    if (!CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, administrators, &size))
        return false;
    SID_AND_ATTRIBUTES denyOnly{administrators, 0};
    if (!CreateRestrictedToken(process.get(), 0, 1, &denyOnly, 0, nullptr, 0, nullptr,
                               restricted.out()))
        return false;
    return DuplicateToken(restricted.get(), SecurityImpersonation, impersonation.out()) != FALSE;
}

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

// Asks the folder's security descriptor, never by creating a file: reading needs no right to
// write, and a test file would be left behind by a crash.
std::optional<bool> WinSystemInfo::userCanAddFiles(const std::string& folder) {
    std::wstring path = widen(folder);
    // "C:\dir\" names the folder as "C:\dir" does; a drive's root ("C:\") and a share's
    // ("\\server\share\") keep their backslash.
    if (path.size() > 3 && path.back() == L'\\') {
        const size_t inner = path.find_last_of(L'\\', path.size() - 2);
        const bool shareRoot = path.rfind(L"\\\\", 0) == 0 && inner == path.find(L'\\', 2);
        if (inner != std::wstring::npos && !shareRoot) path.pop_back();
    }
    const SECURITY_INFORMATION parts =
        OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
    DWORD needed = 0;
    GetFileSecurityW(path.c_str(), parts, nullptr, 0, &needed);
    if (needed == 0 || needed > 1024 * 1024) return std::nullopt;
    std::vector<BYTE> descriptor(needed);
    if (!GetFileSecurityW(path.c_str(), parts, descriptor.data(), needed, &needed))
        return std::nullopt;

    Handle token;
    if (!everydayToken(token)) return std::nullopt;
    GENERIC_MAPPING mapping{FILE_GENERIC_READ, FILE_GENERIC_WRITE, FILE_GENERIC_EXECUTE,
                            FILE_ALL_ACCESS};
    DWORD wanted = FILE_ADD_FILE;
    MapGenericMask(&wanted, &mapping);
    // Room for any privileges the check names; it names none for this right.
    alignas(PRIVILEGE_SET) BYTE privileges[256];
    DWORD privilegesSize = sizeof privileges;
    DWORD granted = 0;
    BOOL allowed = FALSE;
    if (!AccessCheck(descriptor.data(), token.get(), wanted, &mapping,
                     reinterpret_cast<PRIVILEGE_SET*>(privileges), &privilegesSize, &granted,
                     &allowed))
        return std::nullopt;
    return allowed != FALSE;
}

} // namespace qlx::win

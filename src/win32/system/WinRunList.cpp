// Run lists through the wide registry API, opened read-only for reading and with the
// smallest access that writing needs.
#include "win32/system/WinRunList.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "win32/system/Encoding.h"

namespace qlx::win {

namespace {

const wchar_t* const kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr REGSAM kReadAccess = 0x20019;  // KEY_READ
constexpr REGSAM kWriteAccess = 0x2001F; // KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY
// Names are at most 16383 characters; data beyond a megabyte is no command line.
constexpr DWORD kMaxNameChars = 16384;
constexpr DWORD kMaxDataBytes = 1024 * 1024;

HKEY rootOf(RunList list) {
    return list == RunList::Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

class Key {
public:
    Key() = default;
    ~Key() {
        if (key_) RegCloseKey(key_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    LONG open(RunList list, REGSAM access) {
        return RegOpenKeyExW(rootOf(list), kRunKey, 0, access, &key_);
    }
    LONG create(RunList list) {
        return RegCreateKeyExW(rootOf(list), kRunKey, 0, nullptr, 0, kWriteAccess, nullptr, &key_,
                               nullptr);
    }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

// The text of string data: UTF-16 up to the first zero; expandable data with its environment
// variables filled in (as written when that cannot be done within the data limit).
std::string textOf(const std::vector<BYTE>& data, DWORD size, bool expand) {
    std::wstring text(size / sizeof(wchar_t), L'\0');
    if (!text.empty()) memcpy(text.data(), data.data(), text.size() * sizeof(wchar_t));
    const size_t zero = text.find(L'\0');
    if (zero != std::wstring::npos) text.resize(zero);
    if (expand && !text.empty()) {
        const DWORD needed = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
        if (needed > 0 && needed <= kMaxDataBytes / sizeof(wchar_t)) {
            std::wstring expanded(needed, L'\0');
            const DWORD written = ExpandEnvironmentStringsW(text.c_str(), expanded.data(), needed);
            if (written > 0 && written <= needed) {
                expanded.resize(written - 1);
                text = std::move(expanded);
            }
        }
    }
    return narrow(text);
}

} // namespace

std::optional<std::vector<RunListValue>> WinRunList::values(RunList list, bool forWriting) {
    std::vector<RunListValue> result;
    Key key;
    const LONG opened = key.open(list, forWriting ? kWriteAccess : kReadAccess);
    if (opened == ERROR_FILE_NOT_FOUND) return result; // no list yet: nothing in it
    if (opened != ERROR_SUCCESS) return std::nullopt;

    DWORD count = 0, longestName = 0, longestData = 0;
    if (RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                         &longestName, &longestData, nullptr, nullptr) != ERROR_SUCCESS)
        return std::nullopt;
    std::wstring name(std::min<DWORD>(longestName + 1, kMaxNameChars), L'\0');
    std::vector<BYTE> data(std::min<DWORD>(longestData + sizeof(wchar_t), kMaxDataBytes));

    for (DWORD index = 0;; ++index) {
        DWORD nameChars = static_cast<DWORD>(name.size());
        DWORD type = 0, dataBytes = static_cast<DWORD>(data.size());
        LONG status = RegEnumValueW(key.get(), index, name.data(), &nameChars, nullptr, &type,
                                    data.data(), &dataBytes);
        if (status == ERROR_MORE_DATA) {
            // A value grew since the key was measured: measure it again, within the limits.
            name.assign(kMaxNameChars, L'\0');
            nameChars = kMaxNameChars;
            DWORD needed = 0;
            status = RegEnumValueW(key.get(), index, name.data(), &nameChars, nullptr, &type,
                                   nullptr, &needed);
            if (status != ERROR_SUCCESS || needed > kMaxDataBytes) return std::nullopt;
            data.assign(needed + sizeof(wchar_t), 0);
            nameChars = kMaxNameChars;
            dataBytes = static_cast<DWORD>(data.size());
            status = RegEnumValueW(key.get(), index, name.data(), &nameChars, nullptr, &type,
                                   data.data(), &dataBytes);
        }
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status != ERROR_SUCCESS) return std::nullopt;

        RunListValue value;
        value.name = narrow(std::wstring_view(name.data(), nameChars));
        // Strings, plain or expandable, are command lines; other kinds are left alone. An
        // expandable one is read as the system runs it, with its variables filled in.
        value.isText = type == REG_SZ || type == REG_EXPAND_SZ;
        if (value.isText) value.data = textOf(data, dataBytes, type == REG_EXPAND_SZ);
        result.push_back(std::move(value));
    }
    return result;
}

bool WinRunList::deleteValue(RunList list, const std::string& name) {
    Key key;
    if (key.open(list, kWriteAccess) != ERROR_SUCCESS) return false;
    return RegDeleteValueW(key.get(), widen(name).c_str()) == ERROR_SUCCESS;
}

bool WinRunList::writeText(RunList list, const std::string& name, const std::string& data) {
    Key key;
    if (key.create(list) != ERROR_SUCCESS) return false;
    const std::wstring text = widen(data);
    return RegSetValueExW(key.get(), widen(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

} // namespace qlx::win

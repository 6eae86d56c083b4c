// Creating the Chrome Frame key and writing its value as a number or as text.
#include "win32/system/WinChromeFrameRegistry.h"

#include <string>

#include "win32/system/Encoding.h"

namespace qlx::win {

namespace {
const wchar_t* const kKey = L"Software\\Google\\ChromeFrame";
const wchar_t* const kValue = L"AllowUnsafeURLs";
} // namespace

WinChromeFrameRegistry::~WinChromeFrameRegistry() {
    if (key_) RegCloseKey(key_);
}

bool WinChromeFrameRegistry::openKey() {
    if (key_) return true;
    return RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                           nullptr, &key_, nullptr) == ERROR_SUCCESS;
}

ChromeFrameRegistryPort::Existing WinChromeFrameRegistry::existingValue() {
    DWORD type = 0;
    if (!key_ || RegQueryValueExW(key_, kValue, nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS)
        return Existing::none;
    return type == REG_SZ || type == REG_EXPAND_SZ ? Existing::text : Existing::other;
}

bool WinChromeFrameRegistry::writeNumber(uint32_t value) {
    const DWORD data = value;
    return key_ && RegSetValueExW(key_, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                                  sizeof data) == ERROR_SUCCESS;
}

bool WinChromeFrameRegistry::writeText(const char* value) {
    const std::wstring text = widen(value);
    return key_ && RegSetValueExW(key_, kValue, 0, REG_SZ,
                                  reinterpret_cast<const BYTE*>(text.c_str()),
                                  static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) ==
                       ERROR_SUCCESS;
}

} // namespace qlx::win

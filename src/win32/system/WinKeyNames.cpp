// Key names from the keyboard layout: the virtual key's scan code handed to GetKeyNameTextW.
#include "win32/system/WinKeyNames.h"

#include <windows.h>

#include "win32/system/Encoding.h"

namespace qlx::win {

namespace {
// Keys that share their scan code with another key and are told apart by the extended bit.
bool isExtendedKey(uint8_t vk) {
    switch (vk) {
    case VK_PRIOR: case VK_NEXT: case VK_END: case VK_HOME:
    case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN:
    case VK_INSERT: case VK_DELETE: case VK_DIVIDE: case VK_NUMLOCK:
    case VK_RCONTROL: case VK_RMENU: case VK_LWIN: case VK_RWIN: case VK_APPS:
    case VK_SNAPSHOT:
        return true;
    default:
        return false;
    }
}
} // namespace

std::string layoutKeyName(uint8_t virtualKey) {
    const UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    if (scan == 0) return {};
    LONG lParam = static_cast<LONG>((scan & 0xFF) << 16);
    if (isExtendedKey(virtualKey)) lParam |= 1L << 24;
    wchar_t name[64] = L"";
    const int n = GetKeyNameTextW(lParam, name, 64);
    if (n <= 0) return {};
    return narrow(std::wstring_view(name, static_cast<size_t>(n)));
}

} // namespace qlx::win

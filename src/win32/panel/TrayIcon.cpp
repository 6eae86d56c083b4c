// The notification-area icon.
#include "win32/panel/TrayIcon.h"

#include <shellapi.h>

#include <algorithm>
#include <string>

#include "win32/system/Encoding.h"
#include "win32/system/WindowFrame.h"

namespace qlx::win {

namespace {
// The tip field holds at most 127 characters and the terminating zero.
void copyTip(NOTIFYICONDATAW& data, const std::string& text) {
    const std::wstring tip = widen(text);
    const size_t n = std::min(tip.size(), std::size(data.szTip) - 1);
    std::copy_n(tip.begin(), n, data.szTip);
    data.szTip[n] = L'\0';
}
} // namespace

bool AddTrayIcon(HWND window, UINT callbackMessage, HINSTANCE module, const std::string& tip,
                 int imageSize) {
    NOTIFYICONDATAW data{};
    // The layout with the 128-character tip and nothing newer, which every shell understands.
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = window;
    data.uID = 0;
    // The newer callback (below) shows the tip only when asked to.
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
    data.uCallbackMessage = callbackMessage;
    // The shell keeps a copy of its own.
    data.hIcon = loadIconOfSize(module, L"MAINICON", imageSize);
    copyTip(data, tip);
    // A shell that still has the icon (a restart announced twice) refuses to add it again but
    // takes it as a change.
    const bool there =
        Shell_NotifyIconW(NIM_ADD, &data) != FALSE || Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
    if (data.hIcon) DestroyIcon(data.hIcon);
    data.hIcon = nullptr;
    if (there) {
        // The newer callback: the keyboard's select and context events, with the icon's place.
        data.uVersion = NOTIFYICON_VERSION_4;
        Shell_NotifyIconW(NIM_SETVERSION, &data);
    }
    return there;
}

bool SetTrayIconImage(HWND window, HINSTANCE module, int imageSize) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = window;
    data.uID = 0;
    data.uFlags = NIF_ICON;
    data.hIcon = loadIconOfSize(module, L"MAINICON", imageSize);
    const bool there = Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
    if (data.hIcon) DestroyIcon(data.hIcon);
    return there;
}

void SetTrayIconTip(HWND window, const std::string& tip) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = window;
    data.uID = 0;
    data.uFlags = NIF_TIP | NIF_SHOWTIP;
    copyTip(data, tip);
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

void RemoveTrayIcon(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = window;
    data.uID = 0;
    Shell_NotifyIconW(NIM_DELETE, &data);
}

} // namespace qlx::win

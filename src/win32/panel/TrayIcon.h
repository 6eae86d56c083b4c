// The program's icon in the notification area next to the clock, whose mouse messages come
// back to the panel as the program's own registered message.
#pragma once

#include <windows.h>

#include <string>

namespace qlx::win {

// Adds the icon with its tip (Windows-1252). The shell's answer is not examined: on a
// desktop without a notification area the program simply runs without a visible icon.
void AddTrayIcon(HWND window, UINT callbackMessage, HINSTANCE module, const std::string& tip);
// Gives the icon, when it is there, a new tip.
void SetTrayIconTip(HWND window, const std::string& tip);
void RemoveTrayIcon(HWND window);

} // namespace qlx::win

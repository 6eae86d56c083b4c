// The program's icon in the notification area next to the clock, whose mouse messages come
// back to the panel as the program's own registered message.
#pragma once

#include <windows.h>

#include <string>

namespace qlx::win {

// Adds the icon with its tip (Windows-1252) and an image of imageSize pixels, and asks for the
// newer callback. True when the icon is there afterwards, also when the shell had kept it from
// before; false when the shell refused it (no notification area yet).
bool AddTrayIcon(HWND window, UINT callbackMessage, HINSTANCE module, const std::string& tip,
                 int imageSize);
// Gives the icon an image of imageSize pixels; false when the shell has no such icon.
bool SetTrayIconImage(HWND window, HINSTANCE module, int imageSize);
// Gives the icon, when it is there, a new tip.
void SetTrayIconTip(HWND window, const std::string& tip);
void RemoveTrayIcon(HWND window);

} // namespace qlx::win

// The program's icon in the notification area next to the clock, whose mouse messages come
// back to the panel as the program's own registered message.
#pragma once

#include <windows.h>

namespace qlx::win {

// Adds the icon with the program's title as its tip. The shell's answer is not examined: on
// a desktop without a notification area the program simply runs without a visible icon.
void AddTrayIcon(HWND window, UINT callbackMessage, HINSTANCE module);
void RemoveTrayIcon(HWND window);

} // namespace qlx::win

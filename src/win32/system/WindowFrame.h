// A window's frame at the DPI the window draws at, from the per-DPI metrics where the system
// has them, and the program's icons drawn at the size asked for.
#pragma once

#include <windows.h>

namespace qlx::win {

// The message a per-monitor aware window gets before the system moves it onto a monitor of
// another scale, asking for its size there (Windows 10, 1703 on).
inline constexpr UINT kWmGetDpiScaledSize = 0x02E4;

// The outer width and height that go with a client size for a window of this style at a DPI.
SIZE outerSizeForDpi(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi);

// An icon drawn at size x size from the nearest larger image (scaled down, never up), as the
// system itself picks them; the caller destroys it. module null: one of the system's icons.
// Null when it cannot be loaded.
HICON loadIconOfSize(HINSTANCE module, const wchar_t* name, int size);

} // namespace qlx::win

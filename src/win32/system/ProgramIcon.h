// The program's icon at the size the system wants for a DPI.
#pragma once

#include <windows.h>

namespace qlx::win {

enum class IconKind { Small, Large };

// The system's small (title bar, notification area) or large (Alt+Tab) icon size at a DPI,
// from the per-DPI metrics where the system has them, else the system-wide ones.
int programIconSize(IconKind kind, int dpi);

// The program's icon drawn at that size (from the nearest larger image of the icon file when
// it has none of that size); the caller destroys it. Null when it cannot be loaded.
HICON loadProgramIcon(HINSTANCE module, IconKind kind, int dpi);

} // namespace qlx::win

// The desktop's work area (the screen without the taskbar) and the screen's size.
#pragma once

#include <windows.h>

#include <optional>

#include "panel/Placement.h"

namespace qlx::win {

// What the system reports, or none when it cannot tell.
std::optional<WorkArea> reportedWorkArea();
// The reported work area, or the screen less the usual taskbar strip.
WorkArea currentWorkArea();
// The primary screen as a Dimension at (0, 0).
Dimension screenDimension();

// A window's outer bounds on the screen.
Dimension windowDimension(HWND window);
// Moves (and if need be shrinks) a window so that it lies inside the work area.
void limitToScreenWorkarea(HWND window);
// Centres a window on the panel (size unchanged), then keeps it inside the work area: how
// the settings and messages windows are placed each time they are shown.
void centreOnPanelInWorkarea(HWND window, HWND panel);

} // namespace qlx::win

// The monitors as the system reports them (bounds, work area, DPI), and the limits of the
// monitor a window is on.
#pragma once

#include <windows.h>

#include "panel/Placement.h"

namespace qlx::win {

// Every monitor, the primary one first; at least the primary screen even when the system
// does not list its monitors.
MonitorList systemMonitors();
// The primary screen as a Dimension at (0, 0).
Dimension screenDimension();

// The DPI of the monitor a window is on (the primary one without a window): the scale its
// table and fixed pixel numbers are drawn at.
int32_t windowDpi(HWND window);

// A window's outer bounds on the screen.
Dimension windowDimension(HWND window);
// The work area of the monitor a window is on.
WorkArea workAreaOfWindow(HWND window);
// Moves (and if need be shrinks) a window so that it lies inside the work area of its monitor.
void limitToScreenWorkarea(HWND window);
// A window of that outer size centred on the panel, then kept inside the work area of the
// panel's monitor: how the settings and messages windows are placed.
Dimension placeOnPanel(HWND panel, const Dimension& window);
// Places a window so, each time it is shown.
void centreOnPanelInWorkarea(HWND window, HWND panel);

} // namespace qlx::win

// Where the X server has a window. Qt's own idea of a top-level window's place can lag or
// miss a window manager's moves (a frameless tool window reparented into a frame); the
// server's answer is the truth the panel's stored place and its menu go by.
#pragma once

#include <QPoint>
#include <QSize>

#include <cstdint>
#include <optional>

class QWidget;
struct xcb_connection_t;

namespace qlx::qt {

// The program's X connection and its screen's root window; none (0) without X11.
xcb_connection_t* x11Connection();
uint32_t x11RootWindow(xcb_connection_t* connection);

// The window's top left corner on the screen; none without X11 or a native window.
std::optional<QPoint> x11ScreenOrigin(const QWidget& window);
// A point in the server's device pixels in the program's device-independent ones.
QPoint deviceIndependentPoint(QPoint device);

// Asks the window manager to keep the shown window out of the taskbar and the pager (a tool
// window's type alone does not make every taskbar leave it out).
void x11SkipTaskbar(const QWidget& window);

// Takes away the size steps Qt asks the window manager for (one device-independent pixel,
// which a fractional scale rounds to two device pixels) and gives the shown window this size in
// device pixels.
void x11SizeWithoutSteps(const QWidget& window, QSize device);

} // namespace qlx::qt

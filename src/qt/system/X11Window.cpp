#include "qt/system/X11Window.h"

#include <QGuiApplication>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <cstdlib>
#include <xcb/xcb.h>

namespace qlx::qt {

std::optional<QPoint> x11ScreenOrigin(const QWidget& window) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c || !window.internalWinId()) return std::nullopt;
    const xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
    if (!screens.rem) return std::nullopt;
    xcb_translate_coordinates_reply_t* reply = xcb_translate_coordinates_reply(
        c,
        xcb_translate_coordinates(c, static_cast<xcb_window_t>(window.internalWinId()),
                                  screens.data->root, 0, 0),
        nullptr);
    if (!reply) return std::nullopt;
    const QPoint origin(reply->dst_x, reply->dst_y);
    std::free(reply);
    // The server counts in device pixels; the program in device-independent ones.
    const qreal ratio = window.devicePixelRatioF();
    return ratio == 1.0 ? origin : QPoint(qRound(origin.x() / ratio), qRound(origin.y() / ratio));
}

} // namespace qlx::qt

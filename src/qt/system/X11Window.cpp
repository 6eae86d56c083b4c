#include "qt/system/X11Window.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace qlx::qt {

xcb_connection_t* x11Connection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

uint32_t x11RootWindow(xcb_connection_t* c) {
    const xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
    return screens.rem ? screens.data->root : 0;
}

namespace {

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    if (!reply) return XCB_ATOM_NONE;
    const xcb_atom_t found = reply->atom;
    std::free(reply);
    return found;
}

} // namespace

void x11SkipTaskbar(const QWidget& window) {
    xcb_connection_t* c = x11Connection();
    if (!c || !window.internalWinId()) return;
    const xcb_window_t root = x11RootWindow(c);
    if (!root) return;
    // The window manager's protocol for a mapped window: a client message to the root.
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = static_cast<xcb_window_t>(window.internalWinId());
    event.type = atom(c, "_NET_WM_STATE");
    event.data.data32[0] = 1; // add
    event.data.data32[1] = atom(c, "_NET_WM_STATE_SKIP_TASKBAR");
    event.data.data32[2] = atom(c, "_NET_WM_STATE_SKIP_PAGER");
    event.data.data32[3] = 1; // from a normal application
    xcb_send_event(c, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(c);
}

std::optional<QPoint> x11ScreenOrigin(const QWidget& window) {
    xcb_connection_t* c = x11Connection();
    if (!c || !window.internalWinId()) return std::nullopt;
    const xcb_window_t root = x11RootWindow(c);
    if (!root) return std::nullopt;
    xcb_translate_coordinates_reply_t* reply = xcb_translate_coordinates_reply(
        c,
        xcb_translate_coordinates(c, static_cast<xcb_window_t>(window.internalWinId()),
                                  root, 0, 0),
        nullptr);
    if (!reply) return std::nullopt;
    const QPoint origin(reply->dst_x, reply->dst_y);
    std::free(reply);
    return deviceIndependentPoint(origin);
}

QPoint deviceIndependentPoint(QPoint device) {
    // The server counts in device pixels, the program in device-independent ones; Qt keeps
    // each screen's top left corner where the server has it and scales only from there.
    const QScreen* at = QGuiApplication::primaryScreen();
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect g = screen->geometry();
        const qreal ratio = screen->devicePixelRatio();
        if (QRect(g.topLeft(), QSize(qRound(g.width() * ratio), qRound(g.height() * ratio)))
                .contains(device)) {
            at = screen;
            break;
        }
    }
    if (!at) return device;
    const QPoint corner = at->geometry().topLeft();
    const qreal ratio = at->devicePixelRatio();
    return corner + QPoint(qRound((device.x() - corner.x()) / ratio),
                           qRound((device.y() - corner.y()) / ratio));
}

void x11SizeWithoutSteps(const QWidget& window, QSize device) {
    xcb_connection_t* c = x11Connection();
    if (!c || !window.internalWinId()) return;
    const auto id = static_cast<xcb_window_t>(window.internalWinId());
    // WM_NORMAL_HINTS holds 18 numbers, the flags first: 64 marks the steps, 256 the base size
    // they count from.
    constexpr uint32_t kStepFlags = 64 | 256;
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        c, xcb_get_property(c, 0, id, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 0, 18),
        nullptr);
    if (reply) {
        if (reply->format == 32 && xcb_get_property_value_length(reply) == 18 * 4) {
            uint32_t hints[18];
            std::memcpy(hints, xcb_get_property_value(reply), sizeof hints);
            if (hints[0] & kStepFlags) {
                hints[0] &= ~kStepFlags;
                xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_NORMAL_HINTS,
                                    XCB_ATOM_WM_SIZE_HINTS, 32, 18, hints);
            }
        }
        std::free(reply);
    }
    const uint32_t size[] = {static_cast<uint32_t>(device.width()),
                             static_cast<uint32_t>(device.height())};
    xcb_configure_window(c, id, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, size);
    xcb_flush(c);
}

} // namespace qlx::qt

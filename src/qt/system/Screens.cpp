#include "qt/system/Screens.h"

#include <QGuiApplication>
#include <QScreen>

namespace qlx::qt {

MonitorList screenMonitors() {
    MonitorList list;
    const QScreen* primary = QGuiApplication::primaryScreen();
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect g = screen->geometry();
        const QRect w = screen->availableGeometry();
        list.push_back(Monitor{ScreenRect{g.left(), g.top(), g.right() + 1, g.bottom() + 1},
                               WorkArea{w.left(), w.top(), w.right() + 1, w.bottom() + 1}, 96,
                               screen == primary});
    }
    if (list.empty()) list.push_back(Monitor{ScreenRect{0, 0, 1024, 768}, std::nullopt, 96, true});
    return list;
}

} // namespace qlx::qt

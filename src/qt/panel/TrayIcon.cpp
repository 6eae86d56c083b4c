#include "qt/panel/TrayIcon.h"

#include "panel/PanelMenus.h"
#include "qt/app/PanelMain.h"
#include "qt/panel/PanelPopupMenus.h"
#include "state/ProgramCommands.h"

namespace qlx::qt {

TrayIcon::TrayIcon(PanelMain& main) : main_(main) {
    icon_.setToolTip("Quiklex");
    connect(&retry_, &QTimer::timeout, this, [this] { main_.program().trayIcon().retryTimer(); });
    connect(&menu_, &QMenu::triggered, this, [this](QAction* action) {
        if (const auto item = chosenMenuItem(action)) main_.program().menus().MenuCommand(*item);
    });
    connect(&icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                // A click shows the panel, as the left button's release does on Windows; the
                // context menu is the icon's own (the desktop opens it).
                if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
                    main_.program().menus().TrayIconCallback(kTrayLeftButtonUp);
            });
    fillPanelMenu(menu_, kTrayMenuEntries);
    icon_.setContextMenu(&menu_);
}


void TrayIcon::setOnTopCheckMarks(bool checked) { qt::setOnTopCheckMarks(menu_, checked); }

void TrayIcon::openMenuAt(QPoint at) { menu_.popup(at); }

void TrayIcon::setTip(const QString& tip) { icon_.setToolTip(tip); }

bool TrayIcon::addTrayIcon(int32_t) {
    // No tray on this desktop (yet): refused, and asked for again on the keeper's timer.
    if (!QSystemTrayIcon::isSystemTrayAvailable()) return false;
    // Read when first wanted, after the panel shows: the image readers load then.
    if (icon_.icon().isNull()) icon_.setIcon(QIcon(":/quiklex.ico"));
    icon_.show();
    return icon_.isVisible();
}

void TrayIcon::removeTrayIcon() { icon_.hide(); }

} // namespace qlx::qt

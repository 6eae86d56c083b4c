#include "qt/panel/TrayIcon.h"

#include "panel/PanelMenus.h"
#include "qt/app/PanelMain.h"
#include "qt/system/Encoding.h"
#include "state/ProgramCommands.h"

namespace qlx::qt {

TrayIcon::TrayIcon(PanelMain& main) : main_(main) {
    icon_.setToolTip("Quiklex");
    connect(&retry_, &QTimer::timeout, this, [this] { main_.program().trayIcon().retryTimer(); });
    connect(&menu_, &QMenu::triggered, this, [this](QAction* action) {
        if (const auto item = panelMenuItemFromCommand(action->data().toInt()))
            main_.program().menus().MenuCommand(*item);
    });
    connect(&icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                // A click shows the panel, as the left button's release does on Windows; the
                // context menu is the icon's own (the desktop opens it).
                if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
                    main_.program().menus().TrayIconCallback(kTrayLeftButtonUp);
            });
    buildMenu();
    icon_.setContextMenu(&menu_);
}

void TrayIcon::buildMenu() {
    for (const PanelMenuEntry& e : kTrayMenuEntries) {
        if (e.item == PanelMenuItem::Separator) {
            menu_.addSeparator();
            continue;
        }
        QAction* action = menu_.addAction(fromCp1252(e.caption));
        action->setData(panelMenuCommandId(e.item));
        action->setCheckable(e.onTopCheck);
        if (e.isDefault) {
            QFont bold = action->font();
            bold.setBold(true);
            action->setFont(bold);
        }
    }
}

void TrayIcon::setOnTopCheckMarks(bool checked) {
    for (QAction* action : menu_.actions())
        if (action->isCheckable()) action->setChecked(checked);
}

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

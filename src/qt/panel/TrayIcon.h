// The tray icon (StatusNotifierItem where the desktop offers it, XEmbed otherwise) with the
// tray menu; the icon's clicks go to the program as on Windows.
#pragma once

#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>

#include "panel/TrayIconKeeper.h"

namespace qlx::qt {

class PanelMain;

class TrayIcon final : public QObject, public TrayIconPort {
public:
    explicit TrayIcon(PanelMain& main);

    void setOnTopCheckMarks(bool checked);
    void openMenuAt(QPoint at);
    void setTip(const QString& tip);

    // TrayIconPort
    bool addTrayIcon(int32_t imageSize) override;
    void removeTrayIcon() override;
    bool setTrayIconImage(int32_t) override { return icon_.isVisible(); }
    int32_t trayIconImageSize() override { return 22; }
    // No taskbar entry: the panel is a tool window on every desktop.
    void showTaskbarButton(bool) override {}
    void startTrayIconTimer(uint32_t periodMs) override { retry_.start(static_cast<int>(periodMs)); }
    void stopTrayIconTimer() override { retry_.stop(); }

private:
    PanelMain& main_;
    QSystemTrayIcon icon_;
    QMenu menu_;
    QTimer retry_;
};

} // namespace qlx::qt

// The notification-area icon on the panel's window: kept there by the program's keeper through a taskbar
// that starts late or restarts, and at the size the notification area wants.
#pragma once

#include <windows.h>

#include "panel/TrayIconKeeper.h"

namespace qlx::win {

class TFormMain;

class TrayIconOnPanel final : public TrayIconPort {
public:
    explicit TrayIconOnPanel(TFormMain& form) : form_(form) {}

    // Once the panel's window exists: lets the taskbar's announcement of a restart through to
    // it, also when the program runs elevated.
    void attach(HWND panel);
    // The panel's messages that concern the icon; true when handled, with result set.
    bool message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // TrayIconPort
    bool addTrayIcon(int32_t imageSize) override;
    void removeTrayIcon() override;
    bool setTrayIconImage(int32_t imageSize) override;
    int32_t trayIconImageSize() override;
    void showTaskbarButton(bool show) override;
    void startTrayIconTimer(uint32_t periodMs) override;
    void stopTrayIconTimer() override;

private:
    // The program's keeper of the icon.
    TrayIconKeeper& keeper();

    TFormMain& form_;
    UINT taskbarCreated_ = 0;
};

} // namespace qlx::win

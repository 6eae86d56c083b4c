// The notification-area icon's retries, its return after a taskbar restart and its image size,
// on the panel's window.
#include "win32/panel/TrayIconOnPanel.h"

#include "win32/app/Application.h"
#include "win32/app/FormMain.h"
#include "win32/panel/TrayIcon.h"
#include "win32/system/ProgramIcon.h"
#include "win32/system/SingleInstance.h"
#include "win32/system/SystemLibrary.h"
#include "win32/system/WorkArea.h"

namespace qlx::win {

namespace {
constexpr UINT_PTR kTimerTrayIcon = 60;
} // namespace

void TrayIconOnPanel::attach(HWND panel) {
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    if (taskbarCreated_ == 0) return;
    // The taskbar runs without elevation; an elevated program's message filter would drop its
    // announcement. Windows 7 on; looked up, so a system without it simply has no filter.
    using FilterFn = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    static const auto filter =
        systemFunction<FilterFn>(L"user32.dll", "ChangeWindowMessageFilterEx");
    constexpr DWORD kAllow = 1; // MSGFLT_ALLOW
    if (filter) filter(panel, taskbarCreated_, kAllow, nullptr);
}

bool TrayIconOnPanel::message(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    result = 0;
    if (msg == taskbarCreated_ && msg != 0) {
        keeper().taskbarCreated();
        return true;
    }
    switch (msg) {
    case WM_TIMER:
        if (wParam != kTimerTrayIcon) return false;
        keeper().retryTimer();
        return true;
    // The notification area takes its icons at the primary monitor's scale. When that changes,
    // Windows announces it in more than one way, depending on the version and on where the
    // panel stands: the taskbar is created anew ("TaskbarCreated", above, which adds the icon
    // at the new size), a panel on that monitor gets WM_DPICHANGED, and every top-level window
    // gets WM_DISPLAYCHANGE and WM_SETTINGCHANGE (the metrics). Any of them renews the image,
    // and only when the wanted size really changed; the others pass on.
    case WM_DPICHANGED:
    case WM_DISPLAYCHANGE:
    case WM_SETTINGCHANGE:
        keeper().scaleMayHaveChanged();
        return false;
    }
    return false;
}

bool TrayIconOnPanel::addTrayIcon(int32_t imageSize) {
    return AddTrayIcon(form_.handle(), UniqueProductMessage, Application::instance().module(),
                       form_.program().hotKeys().trayTip(), imageSize);
}

TrayIconKeeper& TrayIconOnPanel::keeper() { return form_.program().trayIcon(); }

void TrayIconOnPanel::removeTrayIcon() { RemoveTrayIcon(form_.handle()); }

bool TrayIconOnPanel::setTrayIconImage(int32_t imageSize) {
    return SetTrayIconImage(form_.handle(), Application::instance().module(), imageSize);
}

int32_t TrayIconOnPanel::trayIconImageSize() {
    return programIconSize(IconKind::Small, windowDpi(nullptr));
}

void TrayIconOnPanel::showTaskbarButton(bool show) {
    Application::instance().showTaskbarButton(show);
}

void TrayIconOnPanel::startTrayIconTimer(uint32_t periodMs) {
    SetTimer(form_.handle(), kTimerTrayIcon, periodMs, nullptr);
}

void TrayIconOnPanel::stopTrayIconTimer() { KillTimer(form_.handle(), kTimerTrayIcon); }

} // namespace qlx::win

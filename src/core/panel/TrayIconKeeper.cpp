// The notification-area icon's retries, its return after a taskbar restart, its image size
// and the taskbar button that stands in for it.
#include "panel/TrayIconKeeper.h"

namespace qlx {

bool TrayIconKeeper::tryAdd(bool& failed) {
    present_ = false;
    try {
        const int32_t size = port_.trayIconImageSize();
        present_ = port_.addTrayIcon(size);
        if (present_) imageSize_ = size;
    } catch (...) {
        failed = true;
    }
    return present_;
}

TrayIconKeeper::Added TrayIconKeeper::show() {
    wanted_ = true;
    const bool failed = addOrWait();
    return present_ ? Added::Yes : failed ? Added::Failed : Added::Refused;
}

bool TrayIconKeeper::addOrWait() {
    bool failed = false;
    if (tryAdd(failed))
        stopTimer();
    else
        missing();
    applyTaskbarButton(false);
    return failed;
}

void TrayIconKeeper::hide() {
    wanted_ = false;
    present_ = false;
    stopTimer();
    // Also when it was thought missing: the shell may have kept it after all.
    try {
        port_.removeTrayIcon();
    } catch (...) {
    }
    applyTaskbarButton(false);
}

void TrayIconKeeper::retryTimer() {
    if (!wanted_ || present_) {
        stopTimer();
        return;
    }
    bool failed = false;
    if (tryAdd(failed)) {
        stopTimer();
        applyTaskbarButton(false);
        return;
    }
    if (++retries_ >= kQuickRetries) setTimer(kSlowRetryMs);
}

void TrayIconKeeper::taskbarCreated() {
    if (wanted_) addOrWait();
}

void TrayIconKeeper::scaleMayHaveChanged() {
    if (!wanted_ || !present_) return;
    try {
        const int32_t size = port_.trayIconImageSize();
        if (size == imageSize_) return;
        if (port_.setTrayIconImage(size)) {
            imageSize_ = size;
            return;
        }
    } catch (...) {
    }
    present_ = false;
    missing();
    applyTaskbarButton(false);
}

void TrayIconKeeper::taskbarButtonRequested(bool show) {
    buttonRequested_ = show;
    applyTaskbarButton(true);
}

void TrayIconKeeper::missing() {
    retries_ = 0;
    // A timer already in the quick rhythm keeps it; a slow one comes back to it.
    setTimer(kQuickRetryMs);
}

void TrayIconKeeper::setTimer(uint32_t periodMs) {
    if (timerPeriod_ == periodMs) return;
    timerPeriod_ = periodMs;
    port_.startTrayIconTimer(periodMs);
}

void TrayIconKeeper::stopTimer() {
    if (timerPeriod_ == 0) return;
    timerPeriod_ = 0;
    port_.stopTrayIconTimer();
}

void TrayIconKeeper::applyTaskbarButton(bool always) {
    const bool show = buttonRequested_ || (wanted_ && !present_);
    if (!always && show == buttonShown_) return;
    buttonShown_ = show;
    port_.showTaskbarButton(show);
}

} // namespace qlx

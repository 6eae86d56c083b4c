// The panel window for the button display and moving.
#include "win32/panel/PanelWindow.h"

#include "win32/app/FormMain.h"
#include "win32/system/WorkArea.h"

namespace qlx::win {

namespace {
// Clear of the start-up timer and of the other features' timers.
constexpr UINT_PTR kTimerButtonsDisplay = 0x7A01;
constexpr UINT_PTR kTimerButtonsOffSlow = 0x7A02;
} // namespace

UINT_PTR PanelWindow::timerId(PanelTimer timer) {
    return timer == PanelTimer::ButtonsDisplay ? kTimerButtonsDisplay : kTimerButtonsOffSlow;
}

void PanelWindow::startTimer(PanelTimer timer, uint32_t intervalMs) {
    SetTimer(form_.handle(), timerId(timer), intervalMs, nullptr);
}

void PanelWindow::stopTimer(PanelTimer timer) { KillTimer(form_.handle(), timerId(timer)); }

void PanelWindow::showButtons(bool) {
    // The painting reads the display state, which is settled before the paint message comes.
    InvalidateRect(form_.handle(), nullptr, FALSE);
}

void PanelWindow::setCursor(PanelCursor cursor) {
    cursor_ = LoadCursorW(nullptr, cursor == PanelCursor::SizeAll ? IDC_SIZEALL : IDC_ARROW);
    POINT p{};
    GetCursorPos(&p);
    if (GetCapture() == form_.handle() || WindowFromPoint(p) == form_.handle())
        SetCursor(cursor_);
}

Dimension PanelWindow::panelBounds() {
    RECT r{};
    GetWindowRect(form_.handle(), &r);
    return Dimension{r.top, r.left, r.bottom - r.top, r.right - r.left};
}

void PanelWindow::movePanelTo(int32_t left, int32_t top) {
    SetWindowPos(form_.handle(), nullptr, left, top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

MonitorList PanelWindow::monitors() { return systemMonitors(); }

} // namespace qlx::win

// The panel window as the button display and the hand moving see it: its timers, cursor,
// bounds and the screen around it.
#pragma once

#include <windows.h>

#include "panel/PanelPort.h"

namespace qlx::win {

class TFormMain;

class PanelWindow final : public PanelPort {
public:
    explicit PanelWindow(TFormMain& form) : form_(form) {}

    // The cursor the panel shows over its client area.
    HCURSOR cursor() const { return cursor_; }
    // The timer a panel timer runs as on the main window.
    static UINT_PTR timerId(PanelTimer timer);

    void startTimer(PanelTimer timer, uint32_t intervalMs) override;
    void stopTimer(PanelTimer timer) override;
    void showButtons(bool shown) override;
    void setCursor(PanelCursor cursor) override;
    Dimension panelBounds() override;
    void movePanelTo(int32_t left, int32_t top) override;
    MonitorList monitors() override;

private:
    TFormMain& form_;
    HCURSOR cursor_ = LoadCursorW(nullptr, IDC_ARROW);
};

} // namespace qlx::win

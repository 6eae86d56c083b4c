// What the panel's button display and hand moving ask of the panel window. The Windows
// shell implements it; unit tests use a fake with a clock of its own.
#pragma once

#include <cstdint>
#include <optional>

#include "panel/Placement.h"

namespace qlx {

enum class PanelTimer {
    ButtonsDisplay, // one shot per request: 10 ms to show, 100 ms to hide
    ButtonsOffSlow, // 10000 ms, repeating until stopped
};

enum class PanelCursor { Arrow, SizeAll };

class PanelPort : public MonitorsPort {
public:
    virtual ~PanelPort() = default;

    // Starting a running timer starts it afresh with the new interval.
    virtual void startTimer(PanelTimer timer, uint32_t intervalMs) = 0;
    virtual void stopTimer(PanelTimer timer) = 0;
    // Shown: the move handle, menu and open images visible and the logo hidden; not shown:
    // the other way round.
    virtual void showButtons(bool shown) = 0;
    virtual void setCursor(PanelCursor cursor) = 0;

    // The panel's outer bounds in screen pixels.
    virtual Dimension panelBounds() = 0;
    virtual void movePanelTo(int32_t left, int32_t top) = 0;
    // False where the desktop neither lets the panel place itself nor tells where it is
    // (Wayland): the stored place is then neither applied nor overwritten.
    virtual bool placesItself() { return true; }
    // The monitors (MonitorsPort::monitors) give the limits of a drag.
};

} // namespace qlx

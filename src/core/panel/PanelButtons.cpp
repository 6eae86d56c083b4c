// The panel's button display and moving by hand.
#include "panel/PanelButtons.h"

#include <utility>

#include "Scale.h"

namespace qlx {

void PanelButtons::RequestButtons(bool show) {
    bool wanted = show;
    if (modalDialogOpen_)
        wanted = true;
    else if (show && TextDragState == 1)
        wanted = false;
    ButtonsWanted = wanted;
    if (wanted) port_.stopTimer(PanelTimer::ButtonsOffSlow);
    // Restarting on every request lets only the last one of a burst of mouse moves count.
    port_.stopTimer(PanelTimer::ButtonsDisplay);
    port_.startTimer(PanelTimer::ButtonsDisplay, wanted ? kButtonsShowDelayMs : kButtonsHideDelayMs);
}

void PanelButtons::TimerButtonsDisplayTimer() {
    port_.stopTimer(PanelTimer::ButtonsDisplay);
    if (Dragging) return;
    if (ButtonsWanted == ButtonsShown) return;
    port_.showButtons(ButtonsWanted);
    ButtonsShown = ButtonsWanted;
}

void PanelButtons::TimerButtonsOffSlowTimer() { RequestButtons(false); }

bool PanelButtons::inEdgeBand(uint16_t x, uint16_t y, int clientWidth, int clientHeight,
                              int dpi) {
    const int ix = x, iy = y;
    const int band = scaled(5, dpi);
    return iy < band || ix < scaled(2, dpi) || iy > clientHeight - band ||
           ix > clientWidth - band;
}

void PanelButtons::WindowMouseMove(uint16_t x, uint16_t y, int clientWidth, int clientHeight) {
    if (Dragging) return;
    const bool edge = inEdgeBand(x, y, clientWidth, clientHeight, Dpi);
    RequestButtons(!edge);
    if (!edge) {
        port_.stopTimer(PanelTimer::ButtonsOffSlow);
        port_.startTimer(PanelTimer::ButtonsOffSlow, kButtonsOffSlowMs);
    }
}

void PanelButtons::SetPanelCursor(PanelCursor cursor) {
    if (TextDragState == 1) cursor = PanelCursor::Arrow;
    if (cursor == CurrentCursor) return;
    port_.setCursor(cursor);
    CurrentCursor = cursor;
}

void PanelButtons::FormMouseDown(int32_t screenX, int32_t screenY) {
    try {
        const Dimension panel = port_.panelBounds();
        const DragPoint offset{screenX - panel.left, screenY - panel.top};
        MonitorList monitors = port_.monitors();
        const WorkArea work = dragWorkArea(monitorAt(screenX, screenY, monitors));
        DragOffset = offset;
        DragWorkArea = work;
        DragMonitors = std::move(monitors);
        Dragging = true;
    } catch (...) {
        // The panel stays where it is; the next press tries again.
    }
}

void PanelButtons::FormMouseMove(int32_t clientX, int32_t /*clientY*/, int32_t screenX,
                                 int32_t screenY) {
    try {
        if (!Dragging) {
            SetPanelCursor(clientX < scaled(kMoveCursorZone, Dpi) ? PanelCursor::SizeAll
                                                                  : PanelCursor::Arrow);
            return;
        }
        SetPanelCursor(PanelCursor::Arrow);
        const Dimension panel = port_.panelBounds();
        const Monitor underMouse = monitorAt(screenX, screenY, DragMonitors);
        DragWorkArea = dragWorkArea(underMouse);
        const bool otherMonitor = monitorOf(panel, DragMonitors).bounds != underMouse.bounds;
        const DragStep step =
            dragStepAcross({screenX, screenY}, DragOffset, DragWorkArea, panel, otherMonitor);
        if (!step.left && !step.top) return;
        port_.movePanelTo(step.left.value_or(panel.left), step.top.value_or(panel.top));
    } catch (...) {
        // A failed step is skipped; the next mouse move tries again.
    }
}

void PanelButtons::DpiChanged(int dpi, int oldWidth, int oldHeight, int newWidth,
                              int newHeight) {
    Dpi = dpi;
    if (!Dragging) return;
    auto share = [](int32_t offset, int from, int to) {
        return from > 0 ? static_cast<int32_t>(int64_t{offset} * to / from) : offset;
    };
    DragOffset = {share(DragOffset.x, oldWidth, newWidth),
                  share(DragOffset.y, oldHeight, newHeight)};
}

void PanelButtons::FormMouseUp() {
    Dragging = false;
    RequestButtons(false);
}

void PanelButtons::TextDragOver() {
    TextDragState = 1;
    ButtonsWanted = false;
    if (ButtonsShown) {
        port_.showButtons(false);
        ButtonsShown = false;
    }
}

void PanelButtons::TextDragEnded() { TextDragState = 0; }

} // namespace qlx

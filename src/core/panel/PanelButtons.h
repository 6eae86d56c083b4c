// The panel's button display and moving by hand. At rest the panel shows its logo; mouse
// movement over its inner area brings the move handle and the menu and open buttons, which
// go again when the mouse crosses the edge band, when a button is released, or 10 s after
// the last movement inside. A press anywhere but on the two buttons moves the panel.
#pragma once

#include <cstdint>

#include "panel/PanelDrag.h"
#include "panel/PanelPort.h"
#include "panel/Placement.h"

namespace qlx {

inline constexpr uint32_t kButtonsShowDelayMs = 10;
inline constexpr uint32_t kButtonsHideDelayMs = 100;
inline constexpr uint32_t kButtonsOffSlowMs = 10000;
// Client x below which the mouse is over the move-handle zone (at 96 DPI).
inline constexpr int kMoveCursorZone = 9;

class PanelButtons {
public:
    // modalDialogOpen is the main window's flag: while one of the program's modal windows is
    // open the buttons stay shown.
    PanelButtons(PanelPort& port, const bool& modalDialogOpen)
        : port_(port), modalDialogOpen_(modalDialogOpen) {}

    bool ButtonsWanted = false;
    bool ButtonsShown = false;
    bool Dragging = false;
    DragPoint DragOffset;
    // The limits of the monitor under the mouse: taken at the press, then at each move.
    WorkArea DragWorkArea;
    // The monitors as they were at the press; a drag does not ask again on every move.
    MonitorList DragMonitors;
    PanelCursor CurrentCursor = PanelCursor::Arrow;
    // 1 while text is dragged over the panel, 0 otherwise.
    int TextDragState = 0;
    // The DPI the panel is laid out at: the edge band and the move-handle zone scale with it.
    int Dpi = 96;

    // Asks for the buttons; the display timer applies the last request of a quiet interval.
    void RequestButtons(bool show);
    void TimerButtonsDisplayTimer();
    void TimerButtonsOffSlowTimer();

    // Every mouse-move message of the panel window, before the per-window mouse handling;
    // x and y are the message's client coordinates read as unsigned 16-bit numbers.
    void WindowMouseMove(uint16_t x, uint16_t y, int clientWidth, int clientHeight);
    // The band along the client area's edges (5 pixels at the top, right and bottom, 2 at
    // the left, at 96 DPI) in which the buttons go.
    static bool inEdgeBand(uint16_t x, uint16_t y, int clientWidth, int clientHeight, int dpi);

    // The panel was laid out again at another DPI, from oldWidth to newWidth pixels wide: a
    // drag in progress keeps the mouse at the same share of the panel.
    void DpiChanged(int dpi, int oldWidth, int oldHeight, int newWidth, int newHeight);

    void SetPanelCursor(PanelCursor cursor);

    // Presses on the panel itself (not on the menu or open button), any mouse button.
    void FormMouseDown(int32_t screenX, int32_t screenY);
    void FormMouseMove(int32_t clientX, int32_t clientY, int32_t screenX, int32_t screenY);
    void FormMouseUp();

    // Text dragged over the panel hides the buttons at once and keeps them hidden until the
    // drag leaves or drops.
    void TextDragOver();
    void TextDragEnded();

private:
    PanelPort& port_;
    const bool& modalDialogOpen_;
};

} // namespace qlx

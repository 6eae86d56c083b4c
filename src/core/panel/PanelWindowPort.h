// The panel as a window on the screen, beside what its button display asks (PanelPort): its
// size and place, the topmost band, its controls and its two menus.
#pragma once

#include <cstdint>

#include "panel/Placement.h"

namespace qlx {

class PanelWindowPort {
public:
    virtual ~PanelWindowPort() = default;
    virtual void setPanelBounds(int left, int top, int width, int height) = 0;
    // The primary screen, where the panel is created: its width, its scale and its size.
    virtual int screenWidth() = 0;
    virtual int screenDpi() = 0;
    virtual Dimension screenSize() = 0;
    // Maximised (a stored position then is the one from before).
    virtual bool panelZoomed() = 0;
    // The controls, the menus and the caption-less style, in the creation sequence.
    virtual void layoutPanel() = 0;
    // Into the topmost band or out of it; the program's flag is not changed.
    virtual void applyOnTop(bool onTop) = 0;
    // Both "Vis altid øverst" items' check mark.
    virtual void setOnTopCheckMarks(bool checked) = 0;
    // The notification-area icon's menu, where the mouse is or at a screen point.
    virtual void openTrayMenuAtCursor() = 0;
    virtual void openTrayMenuAt(int32_t x, int32_t y) = 0;
    // The notification-area icon was worked (a mouse message, or a key's select): the
    // user's input, which decides whether a window opened from it shows keyboard cues.
    virtual void trayIconUsed(uint16_t /*event*/) {}
};

} // namespace qlx

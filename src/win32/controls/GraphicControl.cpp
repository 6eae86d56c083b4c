// What every windowless control does: showing, enabling and repainting its place.
#include "win32/controls/GraphicControl.h"


namespace qlx::win {

void fillRect(HDC dc, const RECT& r, uint32_t colour) {
    HBRUSH brush = CreateSolidBrush(gdiColour(colour));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void GraphicControl::setVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    invalidate();
}

void GraphicControl::setEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    invalidate();
}

void GraphicControl::invalidate() const {
    if (!host) return;
    RECT r = rectOf(box);
    InvalidateRect(host, &r, FALSE);
}

} // namespace qlx::win

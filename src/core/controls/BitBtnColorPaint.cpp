// The colour button's highlight colour and paint rectangles.
#include "controls/BitBtnColorPaint.h"

namespace qlx {

namespace {
uint32_t scaled(uint32_t colour, uint32_t percent) {
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        uint32_t channel = ((colour >> shift) & 0xFF) * percent / 100;
        if (channel > 255) channel = 255;
        out |= channel << shift;
    }
    return out;
}

Rect shrunk(const Rect& r, int32_t by) {
    return Rect{r.left + by, r.top + by, r.width - 2 * by, r.height - 2 * by};
}
} // namespace

uint32_t highlightColour(uint32_t face) {
    const uint32_t lighter = scaled(face, 110);
    return lighter == 0xFFFFFF ? scaled(face, 90) : lighter;
}

BitBtnPaint planBitBtnPaint(const BitBtnState& s) {
    BitBtnPaint out;
    out.glyph = !s.enabled ? GlyphState::disabled : s.pressed ? GlyphState::down : GlyphState::up;
    const Rect client{0, 0, s.width, s.height};
    Rect r = client;
    if (s.showAsDefault || s.focused) {
        out.frame = r;
        r = shrunk(r, 1);
    }
    out.fill = r;
    out.lineLeft = r.left;
    out.lineRight = r.left + r.width;
    out.lineY = r.top + r.height - 1;
    if (s.pressed) r = shrunk(r, 1);
    if (s.showAsDefault) r = shrunk(client, 1);
    if (s.pressed) {
        r.left += 1;
        r.top += 1;
    }
    out.content = r;
    if (s.showAsDefault && s.focused && s.focusRect) out.focus = shrunk(client, 4);
    return out;
}

} // namespace qlx

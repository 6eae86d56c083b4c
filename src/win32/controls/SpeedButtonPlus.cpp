// Painting the coloured speed button: face, edges from the core's plan, glyph and caption.
#include "win32/controls/SpeedButtonPlus.h"

#include "win32/controls/ButtonGlyphPainter.h"
#include "win32/system/Encoding.h"
#include "win32/system/Fonts.h"
#include "win32/system/SystemColours.h"

namespace qlx::win {

namespace {
UINT edgeOf(ButtonEdge edge) {
    switch (edge) {
    case ButtonEdge::none: break;
    case ButtonEdge::raisedThin: return BDR_RAISEDINNER;
    case ButtonEdge::sunkenThin: return BDR_SUNKENOUTER;
    case ButtonEdge::raised: return EDGE_RAISED;
    case ButtonEdge::sunken: return EDGE_SUNKEN;
    }
    return 0;
}
} // namespace

TSpeedButtonPlus::TSpeedButtonPlus(ControlDesc desc)
    : GraphicControl(std::move(desc)),
      colour_(this->desc().colour == kNoColour ? kSystemColourBit | COLOR_BTNFACE
                                               : this->desc().colour) {}

void TSpeedButtonPlus::SetColor(uint32_t colour) {
    if (colour_ == colour) return;
    colour_ = colour;
    invalidate();
}

void TSpeedButtonPlus::SetDown(bool down) {
    if (down_ == down) return;
    down_ = down;
    invalidate();
}

void TSpeedButtonPlus::SetGlyph(GlyphImage glyph) {
    NumGlyphs = numGlyphsFor(glyph.width, glyph.height);
    glyph_ = std::move(glyph);
    invalidate();
}

void TSpeedButtonPlus::setHot(bool hot) {
    if (hot_ == hot) return;
    hot_ = hot;
    invalidate();
}

void TSpeedButtonPlus::setPressed(bool pressed) {
    if (pressed_ == pressed) return;
    pressed_ = pressed;
    invalidate();
}

void TSpeedButtonPlus::paint(HDC dc) {
    SpeedButtonState state{box.width, box.height, Flat, enabled(), hot_, pressed_, down_};
    const SpeedButtonPaint plan = planSpeedButtonPaint(state);
    const ButtonColours paintColours =
        buttonColours(colours(), colour_, desc().font.colour, enabled());
    const COLORREF face = resolvedColour(paintColours.face);
    RECT r{box.left + plan.face.left, box.top + plan.face.top,
           box.left + plan.face.left + plan.face.width, box.top + plan.face.top + plan.face.height};
    fillRect(dc, r, face);
    if (const UINT edge = edgeOf(plan.edge)) DrawEdge(dc, &r, edge, BF_RECT);

    ButtonContent content;
    content.glyph = &glyph_;
    content.numGlyphs = NumGlyphs;
    content.state = plan.glyph;
    content.colours = {face, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW)};
    content.caption = widen(desc().caption());
    content.textColour = resolvedColour(paintColours.text);
    content.font = fontFor(desc().font);
    content.layout = Layout;
    content.margin = Margin;
    content.spacing = Spacing;
    Rect inner = plan.content;
    inner.left += box.left;
    inner.top += box.top;
    drawButtonContent(dc, inner, content);
}

} // namespace qlx::win

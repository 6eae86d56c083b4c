// TSpeedButtonPlus: a windowless speed button whose face colour can be set; flat or 3-D, with
// glyph and caption, held down by the mouse or kept down.
#pragma once

#include "win32/controls/GraphicControl.h"
#include "controls/ButtonGlyph.h"

namespace qlx::win {

class TSpeedButtonPlus final : public GraphicControl {
public:
    // The face takes the table's colour, or the system's button face when it has none.
    explicit TSpeedButtonPlus(ControlDesc desc);

    // 0x00BBGGRR, or a system colour index with the high bit set; repaints.
    void SetColor(uint32_t colour);
    uint32_t Color() const { return colour_; }
    void SetDown(bool down);
    bool Down() const { return down_; }
    // The glyph's images side by side (up, disabled, down); their number from its shape.
    void SetGlyph(GlyphImage glyph);
    // Shown at the next repaint.
    bool Flat = false;
    int32_t NumGlyphs = 1;
    TButtonLayout Layout = TButtonLayout::blGlyphLeft;
    int32_t Margin = kDefaultMargin;
    int32_t Spacing = kDefaultSpacing;

    void paint(HDC dc) override;
    bool interactive() const override { return true; }
    void setHot(bool hot) override;
    void setPressed(bool pressed) override;

private:
    uint32_t colour_;
    GlyphImage glyph_;
    bool down_ = false;
    bool hot_ = false;
    bool pressed_ = false;
};

} // namespace qlx::win

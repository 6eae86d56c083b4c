// The flat colour button's drawing decisions: the highlight line's colour, kept from the
// first paint, and which rectangles a paint fills, frames and draws into. The window layer
// resolves system colours and does the drawing.
#pragma once

#include <cstdint>
#include <optional>

#include "panel/PanelLayout.h"

namespace qlx {

// A rectangle in client pixels: left, top, width, height.
using Rect = ControlBox;

// Each channel of a resolved 0x00BBGGRR face raised by a tenth, capped at 255; a face so
// light that this gives white is darkened by a tenth instead, so the line stays visible.
uint32_t highlightColour(uint32_t face);

enum class GlyphState { up, disabled, down };

struct BitBtnState {
    int32_t width = 0;  // client size
    int32_t height = 0;
    bool enabled = true;
    bool pressed = false;
    bool showAsDefault = false; // focused, or the default button while no other has the focus
    bool focused = false;
    // The window shows its keyboard cues (ODS_NOFOCUSRECT is not set): after keyboard use.
    bool focusRect = true;
};

struct BitBtnPaint {
    GlyphState glyph = GlyphState::up;
    std::optional<Rect> frame; // one-pixel frame in the window-frame colour, no fill
    Rect fill;                 // filled with the face colour
    int32_t lineLeft = 0;      // highlight line along the fill's bottom row,
    int32_t lineRight = 0;     // from left to right (exclusive)
    int32_t lineY = 0;
    Rect content;              // glyph and caption
    std::optional<Rect> focus; // the dotted focus rectangle
};

BitBtnPaint planBitBtnPaint(const BitBtnState& state);

// The highlight is worked out at the first paint and kept for the button's life, also when
// its face colour changes later.
class BitBtnHighlight {
public:
    uint32_t forPaint(uint32_t resolvedFace) {
        if (!kept_) kept_ = highlightColour(resolvedFace);
        return *kept_;
    }

private:
    std::optional<uint32_t> kept_;
};

} // namespace qlx

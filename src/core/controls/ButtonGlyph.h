// What the bitmap and speed buttons draw besides their face: where the glyph and the caption
// go for each layout, margin and spacing, which of the glyph bitmap's images a state shows and
// how it looks against the face colour, and the speed button's edges.
#pragma once

#include <cstdint>
#include <vector>

#include "controls/BitBtnColorPaint.h"

namespace qlx {

enum class TButtonLayout : uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
// Stored for the window layer; the program's flat faces look the same in every style.
enum class TButtonStyle : uint8_t { bsAutoDetect, bsWin31, bsNew };

inline constexpr int32_t kDefaultMargin = -1; // centres glyph and caption together
inline constexpr int32_t kDefaultSpacing = 4;

struct Size {
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const Size&) const = default;
};

struct GlyphAndCaption {
    int32_t glyphLeft = 0; // the glyph's top-left corner
    int32_t glyphTop = 0;
    // Where the caption is drawn, centred both ways on one line. Its size is the caption's
    // own, except across the axis that the layout does not arrange, where it spans the content
    // rectangle; without a glyph and with the margin -1 it is the whole content rectangle.
    Rect caption;
    bool operator==(const GlyphAndCaption&) const = default;
};

// glyph and caption are the sizes of one glyph image and of the caption's text; a missing
// one has width 0. A negative margin centres both; a negative spacing with a margin spreads
// the rest of the room evenly around the caption, and with margin -1 too, divides it in
// three equal gaps.
GlyphAndCaption layoutGlyphAndCaption(const Rect& content, Size glyph, Size caption,
                                      TButtonLayout layout, int32_t margin, int32_t spacing);

// A bitmap's pixels as 0x00BBGGRR, top row first.
struct GlyphImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;
    uint32_t at(int32_t x, int32_t y) const { return pixels[static_cast<size_t>(y * width + x)]; }
    bool empty() const { return width <= 0 || height <= 0; }
};

// How many images a newly set glyph holds when its width is a multiple of its height (one to
// four square images); otherwise one.
int32_t numGlyphsFor(int32_t width, int32_t height);
// One image's width in a bitmap of numGlyphs images side by side (1 to 4).
int32_t glyphImageWidth(const GlyphImage& bitmap, int32_t numGlyphs);

struct GlyphColours {
    uint32_t face = 0;      // replaces the transparent colour
    uint32_t highlight = 0; // a greyed glyph's light copy, one pixel down and right
    uint32_t shadow = 0;    // a greyed glyph's dark ink
};

// The image for a state drawn against the face: images are up, disabled, down in that order;
// a state without its own image shows the up image, greyed when disabled. The transparent
// colour is the bitmap's bottom-left pixel.
GlyphImage renderGlyph(const GlyphImage& bitmap, int32_t numGlyphs, GlyphState state,
                       const GlyphColours& colours);

// The speed button: a 3-D face raised at rest and sunken while down; a flat one shows a thin
// raised edge only under the mouse and a thin sunken one while down. Down means held by the
// mouse while over the button, or kept down.
enum class ButtonEdge : uint8_t { none, raisedThin, sunkenThin, raised, sunken };

struct SpeedButtonState {
    int32_t width = 0;
    int32_t height = 0;
    bool flat = false;
    bool enabled = true;
    bool hot = false;     // under the mouse
    bool pressed = false; // held by the mouse
    bool down = false;    // kept down
};

struct SpeedButtonPaint {
    GlyphState glyph = GlyphState::up;
    ButtonEdge edge = ButtonEdge::none;
    Rect face;    // filled with the colour, the edge drawn over it
    Rect content; // glyph and caption
};

SpeedButtonPaint planSpeedButtonPaint(const SpeedButtonState& state);

} // namespace qlx

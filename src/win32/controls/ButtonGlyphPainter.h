// Glyph bitmaps read into the core's pixel form, and a button's glyph and caption drawn where
// the core places them. Shared by the colour button and the speed button.
#pragma once

#include <windows.h>

#include <string>

#include "controls/ButtonGlyph.h"

namespace qlx::win {

// A bitmap's pixels; empty when there is none.
GlyphImage glyphFromBitmap(HBITMAP bitmap);
// A bitmap resource of module (a standard kind's glyph).
GlyphImage loadGlyph(HINSTANCE module, const char* name);

struct ButtonContent {
    const GlyphImage* glyph = nullptr; // the bitmap of numGlyphs images; may be empty
    int32_t numGlyphs = 1;
    GlyphState state = GlyphState::up;
    GlyphColours colours;
    std::wstring caption; // "&" underlines the next letter
    COLORREF textColour = 0;
    HFONT font = nullptr;
    TButtonLayout layout = TButtonLayout::blGlyphLeft;
    int32_t margin = kDefaultMargin;
    int32_t spacing = kDefaultSpacing;
};

// The caption's size on one line in the font selected into dc.
Size captionSize(HDC dc, const std::wstring& caption);
// Draws glyph and caption into the content rectangle.
void drawButtonContent(HDC dc, const Rect& content, const ButtonContent& c);

} // namespace qlx::win

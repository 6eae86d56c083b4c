// The colour button's highlight line and paint rectangles.
#include <gtest/gtest.h>

#include "controls/BitBtnColorPaint.h"

using namespace qlx;

TEST(BitBtnColor, HighlightIsATenthLighterUnlessThatIsWhite) {
    EXPECT_EQ(highlightColour(0xDDDDDD), 0xF3F3F3u);
    EXPECT_EQ(highlightColour(0xEEEEEE), 0xD6D6D6u);
    EXPECT_EQ(highlightColour(0x5C743E), 0x657F44u); // each channel on its own
    EXPECT_EQ(highlightColour(0xFF0000), 0xFF0000u); // capped, but not white
    EXPECT_EQ(highlightColour(0xFFFFFF), 0xE5E5E5u);
    EXPECT_EQ(highlightColour(0x000000), 0x000000u);
}

TEST(BitBtnColor, HighlightIsKeptFromTheFirstPaint) {
    BitBtnHighlight highlight;
    EXPECT_EQ(highlight.forPaint(0xDDDDDD), 0xF3F3F3u);
    EXPECT_EQ(highlight.forPaint(0xEEEEEE), 0xF3F3F3u);
}

TEST(BitBtnColor, PaintRectangles) {
    BitBtnPaint p = planBitBtnPaint(BitBtnState{62, 22, true, false, false, false});
    EXPECT_EQ(p.glyph, GlyphState::up);
    EXPECT_FALSE(p.frame.has_value());
    EXPECT_EQ(p.fill, (Rect{0, 0, 62, 22}));
    EXPECT_EQ(p.lineLeft, 0);
    EXPECT_EQ(p.lineRight, 62);
    EXPECT_EQ(p.lineY, 21);
    EXPECT_EQ(p.content, (Rect{0, 0, 62, 22}));
    EXPECT_FALSE(p.focus.has_value());

    // Focused default button: framed, filled inside the frame, focus rectangle 4 in.
    p = planBitBtnPaint(BitBtnState{62, 22, true, false, true, true});
    EXPECT_EQ(p.frame, (Rect{0, 0, 62, 22}));
    EXPECT_EQ(p.fill, (Rect{1, 1, 60, 20}));
    EXPECT_EQ(p.lineY, 20);
    EXPECT_EQ(p.content, (Rect{1, 1, 60, 20}));
    EXPECT_EQ(p.focus, (Rect{4, 4, 54, 14}));
    // The same before any keyboard use: no focus rectangle, the frame stays.
    p = planBitBtnPaint(BitBtnState{62, 22, true, false, true, true, false});
    EXPECT_EQ(p.frame, (Rect{0, 0, 62, 22}));
    EXPECT_FALSE(p.focus.has_value());

    // Pressed: the content moves one pixel right and down.
    p = planBitBtnPaint(BitBtnState{62, 22, true, true, true, true});
    EXPECT_EQ(p.glyph, GlyphState::down);
    EXPECT_EQ(p.content, (Rect{2, 2, 60, 20}));
    p = planBitBtnPaint(BitBtnState{62, 22, true, true, false, false});
    EXPECT_EQ(p.fill, (Rect{0, 0, 62, 22}));
    EXPECT_EQ(p.content, (Rect{2, 2, 60, 20}));

    // The default button without the focus is framed but has no focus rectangle.
    p = planBitBtnPaint(BitBtnState{62, 22, false, false, true, false});
    EXPECT_EQ(p.glyph, GlyphState::disabled);
    EXPECT_TRUE(p.frame.has_value());
    EXPECT_FALSE(p.focus.has_value());
}

// The panel's control places, its button hit test, the menu origin and the style change.
#include <gtest/gtest.h>

#include "panel/PanelLayout.h"

using namespace qlx;

TEST(PanelLayout, ControlsAreCentredOnTheOuterHeight) {
    EXPECT_EQ(panelControlBox(PanelControl::ImageLogo, 32, 96), (ControlBox{12, 3, 60, 24}));
    EXPECT_EQ(panelControlBox(PanelControl::ImageMenu, 32, 96), (ControlBox{15, 5, 24, 19}));
    EXPECT_EQ(panelControlBox(PanelControl::ImageOpen, 32, 96), (ControlBox{48, 5, 25, 19}));
    EXPECT_EQ(panelControlBox(PanelControl::PaintBoxMoveHandle, 32, 96), (ControlBox{4, 5, 2, 19}));
    // An odd height truncates: base 15 - 2 = 13.
    EXPECT_EQ(panelControlBox(PanelControl::ImageLogo, 31, 96).top, 2);
    EXPECT_EQ(panelControlBox(PanelControl::ImageOpen, 31, 96).top, 4);
}

TEST(PanelLayout, OnlyTheShownMenuAndOpenImagesTakePresses) {
    EXPECT_EQ(panelButtonAt(15, 5, true, 32, 96), PanelControl::ImageMenu);
    EXPECT_EQ(panelButtonAt(38, 23, true, 32, 96), PanelControl::ImageMenu);
    EXPECT_EQ(panelButtonAt(39, 10, true, 32, 96), std::nullopt); // the gap between them
    EXPECT_EQ(panelButtonAt(72, 23, true, 32, 96), PanelControl::ImageOpen);
    EXPECT_EQ(panelButtonAt(73, 10, true, 32, 96), std::nullopt);
    EXPECT_EQ(panelButtonAt(5, 10, true, 32, 96), std::nullopt); // the move handle
    EXPECT_EQ(panelButtonAt(20, 10, false, 32, 96), std::nullopt); // the logo
}

TEST(PanelLayout, MenuOpensAsFarFromTheImageAsTheImageIsFromThePanel) {
    EXPECT_EQ(panelMenuOrigin(32, 96), (ClientPoint{30, 10}));
}

TEST(PanelLayout, EveryScaleHasItsOwnSizeBoxesAndHitTest) {
    const struct {
        int dpi;
        PanelSize outer;
        ControlBox logo, menu, open, handle;
        ClientPoint menuOrigin;
    } cases[] = {
        {96, {82, 32}, {12, 3, 60, 24}, {15, 5, 24, 19}, {48, 5, 25, 19}, {4, 5, 2, 19}, {30, 10}},
        {120, {103, 40}, {15, 3, 75, 30}, {19, 5, 30, 24}, {60, 5, 31, 24}, {5, 5, 3, 24},
         {38, 10}},
        {144, {123, 48}, {18, 5, 90, 36}, {23, 7, 36, 29}, {72, 7, 38, 29}, {6, 7, 3, 29},
         {46, 14}},
        {192, {164, 64}, {24, 6, 120, 48}, {30, 9, 48, 38}, {96, 9, 50, 38}, {8, 9, 4, 38},
         {60, 18}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dpi);
        EXPECT_EQ(panelOuterSize(c.dpi), c.outer);
        const int h = c.outer.height;
        EXPECT_EQ(panelControlBox(PanelControl::ImageLogo, h, c.dpi), c.logo);
        EXPECT_EQ(panelControlBox(PanelControl::ImageMenu, h, c.dpi), c.menu);
        EXPECT_EQ(panelControlBox(PanelControl::ImageOpen, h, c.dpi), c.open);
        EXPECT_EQ(panelControlBox(PanelControl::PaintBoxMoveHandle, h, c.dpi), c.handle);
        EXPECT_EQ(panelMenuOrigin(h, c.dpi), c.menuOrigin);
        // Every box lies inside the client area within the one-pixel border.
        for (const ControlBox& b : {c.logo, c.menu, c.open, c.handle}) {
            EXPECT_GE(b.top, 0);
            EXPECT_LE(b.top + b.height, h - 2);
            EXPECT_LE(b.left + b.width, c.outer.width - 2);
        }
        // A press on the open button's last pixel is its click; one further is the panel's.
        const ControlBox& o = c.open;
        EXPECT_EQ(panelButtonAt(o.left, o.top, true, h, c.dpi), PanelControl::ImageOpen);
        EXPECT_EQ(panelButtonAt(o.left + o.width - 1, o.top + o.height - 1, true, h, c.dpi),
                  PanelControl::ImageOpen);
        EXPECT_EQ(panelButtonAt(o.left + o.width, o.top, true, h, c.dpi), std::nullopt);
        EXPECT_EQ(panelButtonAt(o.left, o.top + o.height, true, h, c.dpi), std::nullopt);
        const ControlBox& m = c.menu;
        EXPECT_EQ(panelButtonAt(m.left + m.width - 1, m.top, true, h, c.dpi),
                  PanelControl::ImageMenu);
        EXPECT_EQ(panelButtonAt(m.left - 1, m.top, true, h, c.dpi), std::nullopt);
        EXPECT_EQ(panelButtonAt(m.left, m.top - 1, true, h, c.dpi), std::nullopt);
    }
}

TEST(PanelLayout, MoveHandleLinesKeepAScaledGapAboveAndBelow) {
    EXPECT_EQ(moveHandleLines({4, 5, 2, 19}, 96), (ControlBox{4, 6, 2, 17}));
    EXPECT_EQ(moveHandleLines({8, 9, 4, 38}, 192), (ControlBox{8, 11, 4, 34}));
}

TEST(PanelLayout, StyleChangeOnlyWhenTheBitsDiffer) {
    const uint32_t captioned = 0x16CF0000; // visible, clipping, caption, system menu, frame
    const auto changed = changedWindowStyle(captioned, kPanelStyleClear, kPanelStyleSet);
    ASSERT_TRUE(changed);
    EXPECT_EQ(*changed, 0x168B0000u);
    EXPECT_EQ(changedWindowStyle(*changed, kPanelStyleClear, kPanelStyleSet), std::nullopt);
    // The caption includes the border bit; clearing it and setting it again is no change.
    EXPECT_EQ(changedWindowStyle(0x00800000, kPanelStyleClear, kPanelStyleSet), std::nullopt);
}

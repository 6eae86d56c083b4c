// The panel's control places, its button hit test, the menu origin and the style change.
#include <gtest/gtest.h>

#include "panel/PanelLayout.h"

using namespace qlx;

TEST(PanelLayout, ControlsAreCentredOnTheOuterHeight) {
    EXPECT_EQ(panelControlBox(PanelControl::ImageLogo, 32), (ControlBox{12, 3, 60, 24}));
    EXPECT_EQ(panelControlBox(PanelControl::ImageMenu, 32), (ControlBox{15, 5, 24, 19}));
    EXPECT_EQ(panelControlBox(PanelControl::ImageOpen, 32), (ControlBox{48, 5, 25, 19}));
    EXPECT_EQ(panelControlBox(PanelControl::PaintBoxMoveHandle, 32), (ControlBox{4, 5, 2, 19}));
    // An odd height truncates: base 15 - 2 = 13.
    EXPECT_EQ(panelControlBox(PanelControl::ImageLogo, 31).top, 2);
    EXPECT_EQ(panelControlBox(PanelControl::ImageOpen, 31).top, 4);
}

TEST(PanelLayout, OnlyTheShownMenuAndOpenImagesTakePresses) {
    EXPECT_EQ(panelButtonAt(15, 5, true, 32), PanelControl::ImageMenu);
    EXPECT_EQ(panelButtonAt(38, 23, true, 32), PanelControl::ImageMenu);
    EXPECT_EQ(panelButtonAt(39, 10, true, 32), std::nullopt); // the gap between them
    EXPECT_EQ(panelButtonAt(72, 23, true, 32), PanelControl::ImageOpen);
    EXPECT_EQ(panelButtonAt(73, 10, true, 32), std::nullopt);
    EXPECT_EQ(panelButtonAt(5, 10, true, 32), std::nullopt); // the move handle
    EXPECT_EQ(panelButtonAt(20, 10, false, 32), std::nullopt); // the logo
}

TEST(PanelLayout, MenuOpensAsFarFromTheImageAsTheImageIsFromThePanel) {
    EXPECT_EQ(panelMenuOrigin(32), (ClientPoint{30, 10}));
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

// The bitmap and speed buttons' glyph and caption placement, glyph images and kinds.
#include <gtest/gtest.h>

#include "controls/BitBtnKind.h"
#include "controls/ButtonGlyph.h"
#include "dialogs/MessageWinLayout.h"

using namespace qlx;

namespace {
constexpr auto L = TButtonLayout::blGlyphLeft;
constexpr auto R = TButtonLayout::blGlyphRight;
constexpr auto T = TButtonLayout::blGlyphTop;
constexpr auto B = TButtonLayout::blGlyphBottom;
} // namespace

TEST(ButtonGlyph, GlyphAndCaptionPlaces) {
    const Rect wide{0, 0, 62, 22};
    const Rect tall{0, 0, 62, 50};
    const Size glyph{18, 18};
    const Size caption{20, 13};
    struct Row {
        const char* what;
        Rect content;
        Size glyph, caption;
        TButtonLayout layout;
        int32_t margin, spacing;
        GlyphAndCaption want;
    } rows[] = {
        {"left, centred", wide, glyph, caption, L, -1, 4, {10, 2, {32, 0, 20, 22}}},
        {"right, centred", wide, glyph, caption, R, -1, 4, {34, 2, {10, 0, 20, 22}}},
        {"top, centred", tall, glyph, caption, T, -1, 4, {22, 8, {0, 30, 62, 13}}},
        {"bottom, centred", tall, glyph, caption, B, -1, 4, {22, 24, {0, 7, 62, 13}}},
        {"left, margin 3", wide, glyph, caption, L, 3, 4, {3, 2, {25, 0, 20, 22}}},
        {"right, margin 3", wide, glyph, caption, R, 3, 4, {41, 2, {17, 0, 20, 22}}},
        {"bottom, margin 0", tall, glyph, caption, B, 0, 4, {22, 32, {0, 15, 62, 13}}},
        {"even thirds", wide, glyph, caption, L, -1, -1, {8, 2, {34, 0, 20, 22}}},
        {"caption centred in the rest", wide, glyph, caption, L, 2, -1, {2, 2, {31, 0, 20, 22}}},
        {"glyph alone: no spacing", wide, glyph, {}, L, -1, 4, {22, 2, {40, 0, 0, 22}}},
        {"caption alone, centred", wide, {}, caption, L, -1, 4, {21, 11, wide}},
        {"caption alone, margin 5", wide, {}, caption, R, 5, 4, {57, 11, {37, 0, 20, 22}}},
        {"pressed content", {2, 2, 60, 20}, glyph, caption, L, -1, 4, {11, 3, {33, 2, 20, 20}}},
        {"too narrow: overflows both sides", {0, 0, 20, 22}, glyph, caption, L, -1, 4,
         {-10, 2, {12, 0, 20, 22}}},
    };
    for (const Row& r : rows)
        EXPECT_EQ(layoutGlyphAndCaption(r.content, r.glyph, r.caption, r.layout, r.margin,
                                        r.spacing),
                  r.want)
            << r.what;
}

TEST(ButtonGlyph, ImagesInANewGlyph) {
    const struct {
        int32_t width, height, want;
    } rows[] = {{36, 18, 2}, {18, 18, 1}, {72, 18, 4}, {90, 18, 1}, {20, 18, 1}, {0, 0, 1}};
    for (const auto& r : rows)
        EXPECT_EQ(numGlyphsFor(r.width, r.height), r.want) << r.width << " x " << r.height;
}

namespace {
constexpr uint32_t kKey = 0x808000; // transparent: the bottom-left pixel
constexpr uint32_t kA = 0x0000FF, kB = 0x00FF00, kC = 0x112233;
constexpr GlyphColours kColours{0xDDDDDD, 0xFFFFFF, 0x808080};
constexpr uint32_t F = 0xDDDDDD, H = 0xFFFFFF, S = 0x808080;

// Two 2 x 2 images side by side.
const GlyphImage kTwoImages{4, 2, {kA, kKey, kB, kB, kKey, kC, kB, kKey}};
} // namespace

TEST(ButtonGlyph, EachStateShowsItsImageAgainstTheFace) {
    const struct {
        const char* what;
        int32_t numGlyphs;
        GlyphState state;
        std::vector<uint32_t> want;
    } rows[] = {
        {"up", 2, GlyphState::up, {kA, F, F, kC}},
        {"disabled image", 2, GlyphState::disabled, {kB, kB, kB, F}},
        {"down without its image: up", 2, GlyphState::down, {kA, F, F, kC}},
        {"numGlyphs above 4 counts as 4", 9, GlyphState::up, {kA, F}},
    };
    for (const auto& r : rows) {
        const GlyphImage out = renderGlyph(kTwoImages, r.numGlyphs, r.state, kColours);
        EXPECT_EQ(out.pixels, r.want) << r.what;
    }
    const GlyphImage four = renderGlyph(kTwoImages, 4, GlyphState::down, kColours);
    EXPECT_EQ(four.pixels, (std::vector<uint32_t>{kB, kB})) << "down image of four";
}

TEST(ButtonGlyph, DisabledWithoutItsImageIsGreyedFromTheDarkInk) {
    // Black and red are ink, white is too light, the key colour is no ink.
    const GlyphImage bitmap{3, 3,
                            {0x000000, 0xFFFFFF, kKey, kKey, kKey, kKey, kKey, kKey, 0x0000FF}};
    const GlyphImage out = renderGlyph(bitmap, 1, GlyphState::disabled, kColours);
    EXPECT_EQ(out.width, 3);
    EXPECT_EQ(out.pixels, (std::vector<uint32_t>{S, F, F, F, H, F, F, F, S}));
    EXPECT_TRUE(renderGlyph(GlyphImage{}, 1, GlyphState::up, kColours).empty());
    EXPECT_TRUE(renderGlyph(GlyphImage{4, 2, {kA}}, 1, GlyphState::up, kColours).empty())
        << "fewer pixels than its size";
}

TEST(ButtonGlyph, SpeedButtonEdgesAndContent) {
    const struct {
        const char* what;
        SpeedButtonState state;
        ButtonEdge edge;
        GlyphState glyph;
        Rect content;
    } rows[] = {
        {"flat at rest", {40, 24, true}, ButtonEdge::none, GlyphState::up, {1, 1, 38, 22}},
        {"flat under the mouse", {40, 24, true, true, true}, ButtonEdge::raisedThin,
         GlyphState::up, {1, 1, 38, 22}},
        {"flat held", {40, 24, true, true, true, true}, ButtonEdge::sunkenThin,
         GlyphState::down, {2, 2, 38, 22}},
        {"flat held, mouse gone", {40, 24, true, true, false, true}, ButtonEdge::none,
         GlyphState::up, {1, 1, 38, 22}},
        {"3-D at rest", {40, 24}, ButtonEdge::raised, GlyphState::up, {2, 2, 36, 20}},
        {"3-D kept down", {40, 24, false, true, false, false, true}, ButtonEdge::sunken,
         GlyphState::down, {3, 3, 36, 20}},
        {"disabled, kept down", {40, 24, false, false, true, true, true}, ButtonEdge::raised,
         GlyphState::disabled, {2, 2, 36, 20}},
    };
    for (const auto& r : rows) {
        const SpeedButtonPaint p = planSpeedButtonPaint(r.state);
        EXPECT_EQ(p.edge, r.edge) << r.what;
        EXPECT_EQ(p.glyph, r.glyph) << r.what;
        EXPECT_EQ(p.content, r.content) << r.what;
        EXPECT_EQ(p.face, (Rect{0, 0, 40, 24})) << r.what;
    }
}

TEST(BitBtnKind, StandardKinds) {
    const struct {
        TBitBtnKind kind;
        const char* caption;
        int32_t result;
        const char* glyph;
        bool isDefault, isCancel;
    } rows[] = {
        {TBitBtnKind::bkOK, "OK", kResultOk, "BBOK", true, false},
        {TBitBtnKind::bkCancel, "Cancel", kResultCancel, "BBCANCEL", false, true},
        {TBitBtnKind::bkHelp, "&Help", 0, "BBHELP", false, false},
        {TBitBtnKind::bkYes, "&Yes", kResultYes, "BBYES", true, false},
        {TBitBtnKind::bkNo, "&No", kResultNo, "BBNO", false, true},
        {TBitBtnKind::bkClose, "&Close", 0, "BBCLOSE", false, false},
        {TBitBtnKind::bkAbort, "Abort", 3, "BBABORT", false, false},
        {TBitBtnKind::bkRetry, "&Retry", 4, "BBRETRY", false, false},
        {TBitBtnKind::bkIgnore, "&Ignore", 5, "BBIGNORE", false, false},
        {TBitBtnKind::bkAll, "&All", 8, "BBALL", false, false},
    };
    for (const auto& r : rows) {
        const BitBtnKindInfo info = bitBtnKindInfo(r.kind);
        EXPECT_STREQ(info.caption, r.caption);
        EXPECT_EQ(info.modalResult, r.result) << r.caption;
        EXPECT_STREQ(info.glyph, r.glyph);
        EXPECT_EQ(info.isDefault, r.isDefault) << r.caption;
        EXPECT_EQ(info.isCancel, r.isCancel) << r.caption;
        EXPECT_EQ(bitBtnClick(r.kind), r.kind == TBitBtnKind::bkHelp    ? BitBtnClick::help
                                       : r.kind == TBitBtnKind::bkClose ? BitBtnClick::close
                                                                        : BitBtnClick::ordinary)
            << r.caption;
    }
    EXPECT_EQ(bitBtnKindInfo(TBitBtnKind::bkCustom).glyph, nullptr);
    EXPECT_EQ(bitBtnClick(TBitBtnKind::bkCustom), BitBtnClick::ordinary);
}

TEST(BitBtnKind, HelpComesFromTheNearestParentWithAContext) {
    EXPECT_EQ(nearestHelpContext({0, 0, 7, 9}), 2u);
    EXPECT_EQ(nearestHelpContext({0, 0}), std::nullopt);
    EXPECT_EQ(nearestHelpContext({}), std::nullopt);
}

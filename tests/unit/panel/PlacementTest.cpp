// Work-area limits, centring on the panel and the panel's remembered position.
#include <gtest/gtest.h>

#include "panel/Placement.h"

using namespace qlx;

namespace {
const WorkArea kBottomTaskbar{0, 0, 1920, 1040};
const WorkArea kTopTaskbar{0, 40, 1920, 1080};
const Dimension kNewPanel{0, 1920 - 164, 32, 82}; // the panel as created

PanelPlace placeTop(std::optional<int32_t> fromTop, const WorkArea& work) {
    StoredPosition s;
    s.FromTop = fromTop;
    s.FromLeft = 500;
    return placeStoredPosition(s, kNewPanel, 1920, 1080, work);
}
} // namespace

TEST(Placement, LimitMovesInsideAndShrinksOnlyWhatIsTooLarge) {
    Dimension inside{100, 100, 300, 400};
    limitToScreenWorkarea(inside, kBottomTaskbar);
    EXPECT_EQ(inside, (Dimension{100, 100, 300, 400}));

    Dimension pastRight{100, 1530, 300, 400}; // right edge at 1930
    limitToScreenWorkarea(pastRight, kBottomTaskbar);
    EXPECT_EQ(pastRight, (Dimension{100, 1520, 300, 400}));

    Dimension tooHigh{300, -50, 2000, 400};
    limitToScreenWorkarea(tooHigh, kTopTaskbar);
    EXPECT_EQ(tooHigh, (Dimension{40, 0, 1040, 400}));

    Dimension tooWide{10, 700, 100, 5000};
    limitToScreenWorkarea(tooWide, WorkArea{-1920, 0, 0, 1040}); // a monitor left of the main one
    EXPECT_EQ(tooWide, (Dimension{10, -1920, 100, 1920}));

    Dimension wild{INT32_MAX, INT32_MAX, 10, 10}; // no wrap-around in the sums
    limitToScreenWorkarea(wild, kBottomTaskbar);
    EXPECT_EQ(wild, (Dimension{1030, 1910, 10, 10}));
}

TEST(Placement, FallbackWorkAreaLeavesRoomForTheTaskbar) {
    EXPECT_EQ(workAreaOrFallback(std::nullopt, 1280, 1024), (WorkArea{0, 0, 1280, 999}));
    EXPECT_EQ(workAreaOrFallback(kTopTaskbar, 1280, 1024), kTopTaskbar);
}

TEST(Placement, CentreOnPanelTruncatesTowardZero) {
    const Dimension panel{100, 500, 32, 82};
    // (32 - 201) / 2 is -84, not -85; (82 - 300) / 2 is -109.
    EXPECT_EQ(CentreOnPanel(panel, Dimension{0, 0, 201, 300}), (Dimension{16, 391, 201, 300}));
    EXPECT_EQ(CentreOnPanel(panel, Dimension{7, 7, 10, 21}), (Dimension{111, 530, 10, 21}));
}

TEST(Placement, SavedPositionUsesTheNearerEdgeOfEachPair) {
    // Right edge 30 pixels from the right of a 1920-pixel screen, near the bottom.
    StoredPosition s = storedPositionFor(Dimension{1000, 1808, 32, 82}, 1920, 1080);
    EXPECT_EQ(s, (StoredPosition{std::nullopt, 48, std::nullopt, 30}));
    EXPECT_EQ(positionKeyText(s.FromLeft), "");
    EXPECT_EQ(positionKeyText(s.FromRight), "30");

    // Exactly in the middle: equal distances are stored from the top and the left.
    s = storedPositionFor(Dimension{524, 919, 32, 82}, 1920, 1080);
    EXPECT_EQ(s, (StoredPosition{524, std::nullopt, 919, std::nullopt}));

    // Off the screen to the top left: negative distances are kept.
    s = storedPositionFor(Dimension{-3, -10, 32, 82}, 1920, 1080);
    EXPECT_EQ(s, (StoredPosition{-3, std::nullopt, -10, std::nullopt}));
    EXPECT_EQ(positionKeyText(-10), "-10");
}

TEST(Placement, StoredDistancesComeBackOnAnotherScreenSize) {
    const StoredPosition saved = storedPositionFor(Dimension{200, 1808, 32, 82}, 1920, 1080);
    const Dimension created{0, 1280 - 164, 32, 82};
    EXPECT_EQ(placeStoredPosition(saved, created, 1280, 1024, WorkArea{0, 0, 1280, 984}),
              (PanelPlace{200, 1168}));

    StoredPosition fromBottom;
    fromBottom.FromBottom = 48;
    EXPECT_EQ(placeStoredPosition(fromBottom, created, 1280, 1024, WorkArea{0, 0, 1280, 1024}),
              (PanelPlace{944, 1116}));
}

TEST(Placement, TopBeatsBottomButRightBeatsLeft) {
    const StoredPosition both{100, 10, 50, 20};
    EXPECT_EQ(placeStoredPosition(both, kNewPanel, 1920, 1080, kBottomTaskbar),
              (PanelPlace{100, 1920 - 20 - 82}));
}

TEST(Placement, AbsentKeysKeepTheCreationPlaceWithinLimits) {
    EXPECT_EQ(positionKeyFromRead(kAbsentPositionKey), std::nullopt);
    EXPECT_EQ(positionKeyFromRead(0), 0);
    EXPECT_EQ(positionKeyFromRead(-2147483647), -2147483647);

    EXPECT_EQ(placeStoredPosition({}, kNewPanel, 1920, 1080, kBottomTaskbar),
              (PanelPlace{0, 1756}));
    // Under a taskbar at the top the creation place is pushed down to the margin.
    EXPECT_EQ(placeStoredPosition({}, kNewPanel, 1920, 1080, kTopTaskbar), (PanelPlace{42, 1756}));
}

TEST(Placement, TopMarginDependsOnWhereTheWorkAreaStarts) {
    EXPECT_EQ(placeTop(0, kTopTaskbar).top, 42);
    EXPECT_EQ(placeTop(-5, kBottomTaskbar).top, -1);
    EXPECT_EQ(placeTop(1000, kTopTaskbar).top, 1000); // 1000 + 32 <= 1080
    EXPECT_EQ(placeTop(1060, kTopTaskbar).top, 1048);
    EXPECT_EQ(placeTop(1060, kBottomTaskbar).top, 1008);
}

TEST(Placement, HostileStoredValuesEndInsideTheWorkArea) {
    StoredPosition s;
    s.FromBottom = 5000; // larger than the screen: a negative top, raised to the margin
    s.FromRight = -5000;
    EXPECT_EQ(placeStoredPosition(s, kNewPanel, 1920, 1080, kTopTaskbar), (PanelPlace{42, 1838}));

    s.FromBottom = INT32_MAX;
    s.FromRight = INT32_MIN + 1;
    EXPECT_EQ(placeStoredPosition(s, kNewPanel, 1920, 1080, kBottomTaskbar), (PanelPlace{-1, 1838}));

    // A panel larger than a tiny work area is placed at its top left.
    EXPECT_EQ(placeStoredPosition({}, kNewPanel, 1920, 1080, WorkArea{10, 0, 50, 20}),
              (PanelPlace{0, 10}));
}

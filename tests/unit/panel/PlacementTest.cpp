// Work-area limits, centring on the panel and the panel's remembered position.
#include <gtest/gtest.h>

#include "panel/Placement.h"
#include "panel/PanelLayout.h"

using namespace qlx;

namespace {
const WorkArea kBottomTaskbar{0, 0, 1920, 1040};
const WorkArea kTopTaskbar{0, 40, 1920, 1080};
const Dimension kNewPanel{0, 1920 - 164, 32, 82}; // the panel as created

// One screen of that size with that work area.
MonitorList screen(int32_t width, int32_t height, std::optional<WorkArea> work) {
    return {{{0, 0, width, height}, work, 96, true}};
}

PanelPlace placeTop(std::optional<int32_t> fromTop, const WorkArea& work) {
    StoredPosition s;
    s.FromTop = fromTop;
    s.FromLeft = 500;
    return placeStoredPosition(s, kNewPanel, screen(1920, 1080, work));
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
    EXPECT_EQ(workAreaOrFallback(screen(1280, 1024, std::nullopt)[0]),
              (WorkArea{0, 0, 1280, 999}));
    EXPECT_EQ(workAreaOrFallback(screen(1280, 1024, kTopTaskbar)[0]), kTopTaskbar);
    // On another monitor, that monitor less the strip.
    EXPECT_EQ(workAreaOrFallback(Monitor{{-1280, 100, 0, 1124}, std::nullopt, 120, false}),
              (WorkArea{-1280, 100, 0, 1099}));
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
    EXPECT_EQ(placeStoredPosition(saved, created, screen(1280, 1024, WorkArea{0, 0, 1280, 984})),
              (PanelPlace{200, 1168}));

    StoredPosition fromBottom;
    fromBottom.FromBottom = 48;
    EXPECT_EQ(placeStoredPosition(fromBottom, created,
                                  screen(1280, 1024, WorkArea{0, 0, 1280, 1024})),
              (PanelPlace{944, 1116}));
}

TEST(Placement, TopBeatsBottomButRightBeatsLeft) {
    const StoredPosition both{100, 10, 50, 20};
    EXPECT_EQ(placeStoredPosition(both, kNewPanel, screen(1920, 1080, kBottomTaskbar)),
              (PanelPlace{100, 1920 - 20 - 82}));
}

TEST(Placement, AbsentKeysKeepTheCreationPlaceWithinLimits) {
    EXPECT_EQ(positionKeyFromRead(kAbsentPositionKey), std::nullopt);
    EXPECT_EQ(positionKeyFromRead(0), 0);
    EXPECT_EQ(positionKeyFromRead(-2147483647), -2147483647);

    EXPECT_EQ(placeStoredPosition({}, kNewPanel, screen(1920, 1080, kBottomTaskbar)),
              (PanelPlace{0, 1756}));
    // Under a taskbar at the top the creation place is pushed down to the margin.
    EXPECT_EQ(placeStoredPosition({}, kNewPanel, screen(1920, 1080, kTopTaskbar)),
              (PanelPlace{42, 1756}));
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
    EXPECT_EQ(placeStoredPosition(s, kNewPanel, screen(1920, 1080, kTopTaskbar)),
              (PanelPlace{42, 1838}));

    s.FromBottom = INT32_MAX;
    s.FromRight = INT32_MIN + 1;
    EXPECT_EQ(placeStoredPosition(s, kNewPanel, screen(1920, 1080, kBottomTaskbar)),
              (PanelPlace{-1, 1838}));

    // A panel larger than a tiny work area is placed at its top left.
    EXPECT_EQ(placeStoredPosition({}, kNewPanel, screen(1920, 1080, WorkArea{10, 0, 50, 20})),
              (PanelPlace{0, 10}));
}

namespace {
// The primary screen with its taskbar at the bottom; right of it a smaller one at 150 % with
// its taskbar at the top; left of and above it one at 125 % with no taskbar.
const Monitor kPrimary{{0, 0, 1920, 1080}, WorkArea{0, 0, 1920, 1040}, 96, true};
const Monitor kRight{{1920, 0, 3200, 1024}, WorkArea{1920, 40, 3200, 1024}, 144, false};
const Monitor kLeftAbove{{-1280, -1024, 0, 0}, WorkArea{-1280, -1024, 0, 0}, 120, false};
const MonitorList kThree{kPrimary, kRight, kLeftAbove};
} // namespace

TEST(Monitors, ARectangleIsOnTheMonitorItOverlapsMostOrTheNearest) {
    struct Case {
        const char* what;
        Dimension rect;
        const Monitor& monitor;
    } cases[] = {
        {"inside the primary", {100, 100, 32, 82}, kPrimary},
        {"inside the right one", {100, 2000, 32, 82}, kRight},
        {"more on the right one", {100, 1900, 32, 82}, kRight},
        {"more on the primary", {100, 1860, 32, 82}, kPrimary},
        {"negative coordinates", {-500, -500, 32, 82}, kLeftAbove},
        {"below the right one, in no monitor", {1050, 2500, 32, 82}, kRight},
        {"far off to the left", {500, -9000, 32, 82}, kLeftAbove},
        {"empty, at its corner", {0, 1920, 0, 0}, kRight},
        {"hostile", {INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX}, kRight},
    };
    for (const Case& c : cases) EXPECT_EQ(monitorOf(c.rect, kThree), c.monitor) << c.what;

    EXPECT_EQ(monitorAt(1919, 0, kThree), kPrimary);
    EXPECT_EQ(monitorAt(1920, 0, kThree), kRight);
    EXPECT_EQ(monitorAt(-1, -1, kThree), kLeftAbove);
    EXPECT_EQ(monitorAt(2500, 1060, kThree), kRight); // under the shorter one
    EXPECT_EQ(primaryMonitor({kRight, kPrimary}), kPrimary);
    EXPECT_EQ(workAreaOf({100, 2000, 32, 82}, kThree), *kRight.work);
}

TEST(Monitors, StoredPositionOnAnotherMonitorComesBackThere) {
    // Distances are kept from the primary screen's nearer edges, so they are negative or
    // beyond it; each reads back to the same place, the panel at each monitor's scale (123 x 48
    // on the right one at 150 %, 103 x 40 on the one at 125 %) although it is created at the
    // primary's.
    struct Case {
        const char* what;
        Dimension panel;
        StoredPosition stored;
    } cases[] = {
        {"right monitor, top right", {42, 3200 - 123 - 30, 48, 123},
         {42, std::nullopt, std::nullopt, 1920 - 3047 - 123}},
        {"right monitor, near its bottom", {900, 2000, 48, 123},
         {std::nullopt, 1080 - 900 - 48, std::nullopt, 1920 - 2000 - 123}},
        {"left of and above the primary", {-700, -1000, 40, 103},
         {-700, std::nullopt, -1000, std::nullopt}},
    };
    for (const Case& c : cases) {
        const StoredPosition stored = storedPositionFor(c.panel, 1920, 1080);
        EXPECT_EQ(stored, c.stored) << c.what;
        EXPECT_EQ(positionKeyText(stored.FromRight ? stored.FromRight : stored.FromLeft),
                  std::to_string(stored.FromRight ? *c.stored.FromRight : *c.stored.FromLeft));
        EXPECT_EQ(placeStoredPosition(stored, kNewPanel, kThree),
                  (PanelPlace{c.panel.top, c.panel.left}))
            << c.what;
    }
}

TEST(Monitors, StoredPositionIsLimitedToItsOwnMonitorsWorkArea) {
    // Under the right monitor's top taskbar: two pixels below it, as on the primary.
    StoredPosition s;
    s.FromTop = 0;
    s.FromRight = -500;
    EXPECT_EQ(placeStoredPosition(s, kNewPanel, kThree), (PanelPlace{42, 1920 + 500 - 123}));
    // Past the right monitor's bottom, which is higher than the primary's.
    s.FromTop = 1000;
    EXPECT_EQ(placeStoredPosition(s, kNewPanel, kThree), (PanelPlace{1024 - 48, 2297}));
    // On the monitor above, whose work area begins at its top: one pixel above is allowed.
    s.FromTop = -1030;
    s.FromRight = std::nullopt;
    s.FromLeft = -300;
    EXPECT_EQ(placeStoredPosition(s, kNewPanel, kThree), (PanelPlace{-1025, -300}));
}

TEST(Monitors, StoredPositionOnAMonitorThatIsGoneComesOntoTheNearest) {
    StoredPosition right;
    right.FromTop = 500;
    right.FromRight = 1920 - 2600 - 123; // left 2600, on the right monitor at 150 %
    StoredPosition leftAbove;
    leftAbove.FromTop = -600;
    leftAbove.FromLeft = -900;
    struct Case {
        const char* what;
        StoredPosition stored;
        MonitorList monitors;
        PanelPlace place;
    } cases[] = {
        {"right monitor gone", right, {kPrimary, kLeftAbove}, {500, 1920 - 82}},
        {"left monitor gone", leftAbove, {kPrimary, kRight}, {-1, 0}},
        {"only the right one left, made primary", leftAbove,
         {{{0, 0, 1280, 1024}, WorkArea{0, 40, 1280, 1024}, 144, true}}, {42, 0}},
        {"still there", right, kThree, {500, 2600}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(placeStoredPosition(c.stored, kNewPanel, c.monitors), c.place) << c.what;
}

TEST(Monitors, StandardIsTheTopRightOfThePanelsMonitorAtItsScale) {
    // The panel at each monitor's scale, one panel width of that scale in from the right.
    EXPECT_EQ(standardPanelPlace({500, 500, 32, 82}, kThree), (PanelPlace{0, 1920 - 164}));
    EXPECT_EQ(standardPanelPlace({500, 2500, 48, 123}, kThree), (PanelPlace{0, 3200 - 246}));
    EXPECT_EQ(standardPanelPlace({-500, -500, 40, 103}, kThree), (PanelPlace{-1024, -206}));
}

TEST(Monitors, ScaleChangeKeepsTheNearerCornersDistancesToTheWorkArea) {
    const Monitor primary192{{0, 0, 3840, 2160}, WorkArea{0, 0, 3840, 2100}, 192, true};
    const Monitor left96{{-1920, -200, 0, 880}, WorkArea{-1920, -160, 0, 880}, 96, false};
    const MonitorList two{primary192, left96};
    const struct {
        const char* what;
        Dimension suggested;
        PanelSize size;
        Dimension place;
    } cases[] = {
        // Top left corner nearer: it stays, the panel grows to the right and down.
        {"top left", {100, 200, 64, 164}, {164, 64}, {100, 200, 64, 164}},
        {"top left, size from the suggestion differs", {100, 200, 60, 160}, {164, 64},
         {100, 200, 64, 164}},
        // Bottom right corner nearer: its distances (30 right, 20 bottom) stay.
        {"bottom right", {2020, 3650, 60, 160}, {164, 64}, {2016, 3646, 64, 164}},
        // From 192 back to 96 onto the monitor at negative coordinates: 10 from the work
        // area's right, 50 below its top.
        {"back to 96 at negative coordinates", {-110, -174, 64, 164}, {82, 32},
         {-110, -92, 32, 82}},
        {"bottom left on it", {800, -1900, 64, 164}, {82, 32}, {832, -1900, 32, 82}},
        // A suggestion reaching past the work area is brought inside.
        {"past the edge", {2090, -50, 64, 164}, {164, 64}, {2036, 0, 64, 164}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(panelAfterDpiChange(c.suggested, c.size.width, c.size.height, two), c.place)
            << c.what;
    // There and back keeps the place: 96 -> 192 -> 96 near the bottom right.
    const Dimension at96{700, -300, 32, 82}; // 148 from the bottom, 218 from the right
    const Dimension at192 = panelAfterDpiChange(at96, 164, 64, two);
    EXPECT_EQ(at192, (Dimension{668, -382, 64, 164}));
    EXPECT_EQ(panelAfterDpiChange(at192, 82, 32, two), at96);
}

// The panel's button display over time, the edge band, the cursor and moving by hand.
#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

#include "panel/PanelButtons.h"
#include "panel/PanelLayout.h"

using namespace qlx;

namespace {

// A panel window with a clock of its own: timers fire when the test lets time pass.
class FakePanel : public PanelPort {
public:
    struct Timer {
        uint32_t interval;
        uint64_t due;
    };
    PanelButtons* buttons = nullptr;
    uint64_t now = 0;
    std::map<PanelTimer, Timer> timers;
    bool shown = false;
    int displayChanges = 0;
    PanelCursor cursor = PanelCursor::Arrow;
    int cursorChanges = 0;
    Dimension bounds{0, 1000, 32, 82};
    int moves = 0;
    MonitorList screens{{{0, 0, 1920, 1080}, WorkArea{0, 0, 1920, 1040}, 96, true}};
    bool throwOnMonitors = false;

    void startTimer(PanelTimer t, uint32_t ms) override { timers[t] = {ms, now + ms}; }
    void stopTimer(PanelTimer t) override { timers.erase(t); }
    void showButtons(bool s) override { shown = s, ++displayChanges; }
    void setCursor(PanelCursor c) override { cursor = c, ++cursorChanges; }
    Dimension panelBounds() override { return bounds; }
    void movePanelTo(int32_t left, int32_t top) override {
        bounds.left = left, bounds.top = top, ++moves;
    }
    MonitorList monitors() override {
        if (throwOnMonitors) throw std::runtime_error("no monitors");
        return screens;
    }

    bool running(PanelTimer t) const { return timers.count(t) != 0; }

    // Fires due timers in order; a repeating timer comes back after its interval.
    void advance(uint64_t ms) {
        const uint64_t end = now + ms;
        for (;;) {
            auto next = timers.end();
            for (auto it = timers.begin(); it != timers.end(); ++it)
                if (it->second.due <= end && (next == timers.end() || it->second.due < next->second.due))
                    next = it;
            if (next == timers.end()) break;
            now = next->second.due;
            next->second.due += next->second.interval;
            if (next->first == PanelTimer::ButtonsDisplay)
                buttons->TimerButtonsDisplayTimer();
            else
                buttons->TimerButtonsOffSlowTimer();
        }
        now = end;
    }
};

struct Panel : ::testing::Test {
    bool modal = false;
    FakePanel port;
    PanelButtons panel{port, modal};
    Panel() { port.buttons = &panel; }
    void move(uint16_t x, uint16_t y) {
        panel.WindowMouseMove(x, y, kPanelClientWidth, kPanelClientHeight);
        panel.FormMouseMove(x, y, port.bounds.left + 1 + x, port.bounds.top + 1 + y);
    }
};

} // namespace

TEST_F(Panel, EdgeBandAroundTheInnerArea) {
    const auto edge = [](uint16_t x, uint16_t y) {
        return PanelButtons::inEdgeBand(x, y, kPanelClientWidth, kPanelClientHeight, 96);
    };
    EXPECT_TRUE(edge(0, 15));
    EXPECT_TRUE(edge(1, 15));
    EXPECT_FALSE(edge(2, 15));
    EXPECT_FALSE(edge(75, 15));
    EXPECT_TRUE(edge(76, 15));
    EXPECT_TRUE(edge(40, 4));
    EXPECT_FALSE(edge(40, 5));
    EXPECT_FALSE(edge(40, 25));
    EXPECT_TRUE(edge(40, 26));
    // A position left of the window arrives as a large unsigned number.
    EXPECT_TRUE(edge(static_cast<uint16_t>(-3), 15));
}

TEST(PanelScale, EdgeBandAndHandleZoneGrowWithTheScale) {
    // Client sizes of the scaled panel; the first inner pixel and the first band pixel on
    // each side.
    const struct {
        int dpi, width, height;
        uint16_t left, right, top, bottom, zone;
    } cases[] = {
        {96, 80, 30, 2, 76, 5, 26, 9},
        {120, 101, 38, 3, 96, 6, 33, 11},
        {144, 121, 46, 3, 114, 8, 39, 14},
        {192, 162, 62, 4, 153, 10, 53, 18},
    };
    for (const auto& c : cases) {
        const uint16_t midX = static_cast<uint16_t>(c.width / 2);
        const uint16_t midY = static_cast<uint16_t>(c.height / 2);
        auto edge = [&](uint16_t x, uint16_t y) {
            return PanelButtons::inEdgeBand(x, y, c.width, c.height, c.dpi);
        };
        EXPECT_TRUE(edge(c.left - 1, midY)) << c.dpi;
        EXPECT_FALSE(edge(c.left, midY)) << c.dpi;
        EXPECT_FALSE(edge(c.right - 1, midY)) << c.dpi;
        EXPECT_TRUE(edge(c.right, midY)) << c.dpi;
        EXPECT_TRUE(edge(midX, c.top - 1)) << c.dpi;
        EXPECT_FALSE(edge(midX, c.top)) << c.dpi;
        EXPECT_FALSE(edge(midX, c.bottom - 1)) << c.dpi;
        EXPECT_TRUE(edge(midX, c.bottom)) << c.dpi;

        bool modal = false;
        FakePanel port;
        PanelButtons panel{port, modal};
        panel.Dpi = c.dpi;
        panel.FormMouseMove(c.zone - 1, midY, 0, 0);
        EXPECT_EQ(port.cursor, PanelCursor::SizeAll) << c.dpi;
        panel.FormMouseMove(c.zone, midY, 0, 0);
        EXPECT_EQ(port.cursor, PanelCursor::Arrow) << c.dpi;
    }
}

TEST_F(Panel, DragStopsAtTheRightEdgeByThePanelsRealWidth) {
    // At 144 DPI the panel is 123 x 48: its left goes up to 1920 - 123.
    port.bounds = {300, 1500, 48, 123};
    panel.Dpi = 144;
    panel.FormMouseDown(1510, 310);
    panel.FormMouseMove(0, 0, 1920 - 123 + 10, 500);
    EXPECT_EQ(port.bounds.left, 1797);
    panel.FormMouseMove(0, 0, 1920 - 123 + 11, 520);
    EXPECT_EQ(port.bounds.left, 1797);
    EXPECT_EQ(port.bounds.top, 510);
    panel.FormMouseMove(0, 0, 1510, 1040 - 48 + 10);
    EXPECT_EQ(port.bounds.top, 992);
}

TEST_F(Panel, ScaleChangeDuringADragKeepsTheMousesShareOfThePanel) {
    port.bounds = {300, 500, 32, 82};
    panel.FormMouseDown(541, 316); // offset (41, 16): the middle
    panel.DpiChanged(192, 82, 32, 164, 64);
    EXPECT_EQ(panel.Dpi, 192);
    EXPECT_EQ(panel.DragOffset, (DragPoint{82, 32}));
    panel.FormMouseUp();
    panel.DpiChanged(96, 164, 64, 82, 32); // no drag: the offset is left alone
    EXPECT_EQ(panel.DragOffset, (DragPoint{82, 32}));
}

TEST_F(Panel, ShowsAfterTenMsAndHidesAfterAHundredAtTheEdge) {
    move(0, 15);
    move(1, 15);
    port.advance(200);
    EXPECT_FALSE(port.shown);
    EXPECT_EQ(port.displayChanges, 0);

    move(2, 15);
    port.advance(9);
    EXPECT_FALSE(port.shown);
    port.advance(1);
    EXPECT_TRUE(port.shown);
    EXPECT_TRUE(panel.ButtonsShown);

    move(40, 26);
    port.advance(99);
    EXPECT_TRUE(port.shown);
    port.advance(1);
    EXPECT_FALSE(port.shown);
    EXPECT_EQ(port.displayChanges, 2);
}

TEST_F(Panel, OnlyTheLastRequestOfABurstCounts) {
    move(30, 15);
    port.advance(5);
    move(40, 2); // hide request restarts the timer with 100 ms
    port.advance(50);
    move(41, 15); // and a show request restarts it again with 10 ms
    port.advance(10);
    EXPECT_TRUE(port.shown);
    EXPECT_EQ(port.displayChanges, 1);
    EXPECT_FALSE(port.running(PanelTimer::ButtonsDisplay));
}

TEST_F(Panel, QuickExitLeavesTheButtonsForTenSeconds) {
    move(30, 15);
    port.advance(10);
    ASSERT_TRUE(port.shown);
    // The mouse leaves across the edge without a move message in the band.
    port.advance(9'989);
    EXPECT_TRUE(port.shown);
    port.advance(1 + 99);
    EXPECT_TRUE(port.shown);
    port.advance(1);
    EXPECT_FALSE(port.shown);
    // The slow timer keeps ticking until a show request stops it; its later ticks change nothing.
    EXPECT_TRUE(port.running(PanelTimer::ButtonsOffSlow));
    port.advance(20'000);
    EXPECT_EQ(port.displayChanges, 2);
    move(30, 15);
    EXPECT_TRUE(port.running(PanelTimer::ButtonsOffSlow)); // restarted by the inner move
}

TEST_F(Panel, MovementInsideKeepsTheButtons) {
    move(30, 15);
    for (int i = 0; i < 5; ++i) {
        port.advance(9'000);
        move(static_cast<uint16_t>(31 + i), 15);
    }
    port.advance(9'000);
    EXPECT_TRUE(port.shown);
    EXPECT_EQ(port.displayChanges, 1);
}

TEST_F(Panel, ReleaseAndOutsideCallersHide) {
    move(30, 15);
    port.advance(10);
    panel.FormMouseDown(1100, 20);
    panel.FormMouseUp();
    port.advance(100);
    EXPECT_FALSE(port.shown);

    panel.RequestButtons(true); // the first-start flow opens
    port.advance(10);
    EXPECT_TRUE(port.shown);
    panel.RequestButtons(false); // and closes
    port.advance(100);
    EXPECT_FALSE(port.shown);
}

TEST_F(Panel, ModalWindowKeepsTheButtonsShown) {
    move(30, 15);
    port.advance(10);
    modal = true;
    move(40, 28);
    port.advance(1'000);
    EXPECT_TRUE(port.shown);
    panel.RequestButtons(false);
    port.advance(20'000);
    EXPECT_TRUE(port.shown);
    EXPECT_TRUE(panel.ButtonsWanted);

    // A modal window brings them even from the hidden state; after it closes they go.
    modal = false;
    panel.RequestButtons(false);
    port.advance(100);
    EXPECT_FALSE(port.shown);
    modal = true;
    panel.RequestButtons(false);
    port.advance(10);
    EXPECT_TRUE(port.shown);
}

TEST_F(Panel, TextDraggedOverHidesAtOnceAndRefusesShowing) {
    move(30, 15);
    port.advance(10);
    panel.TextDragOver();
    EXPECT_FALSE(port.shown); // without waiting for a timer
    EXPECT_EQ(panel.TextDragState, 1);
    move(31, 15);
    port.advance(20'000);
    EXPECT_FALSE(port.shown);

    // The move-handle zone keeps the arrow while text is dragged.
    move(3, 15);
    EXPECT_EQ(port.cursor, PanelCursor::Arrow);

    panel.TextDragEnded();
    move(3, 15);
    EXPECT_EQ(port.cursor, PanelCursor::SizeAll);
    port.advance(10);
    EXPECT_TRUE(port.shown);

    // A modal window wins over a text drag.
    panel.TextDragOver();
    modal = true;
    panel.RequestButtons(true);
    port.advance(10);
    EXPECT_TRUE(port.shown);
}

TEST_F(Panel, DraggingFreezesTheDisplay) {
    move(30, 15);
    port.advance(10);
    panel.FormMouseDown(1040, 20);
    ASSERT_TRUE(panel.Dragging);
    // The edge rule is skipped while dragging, and a pending request is dropped.
    move(0, 0);
    EXPECT_FALSE(port.running(PanelTimer::ButtonsDisplay));
    panel.RequestButtons(false);
    port.advance(15'000); // the slow timer's hide request is dropped as well
    EXPECT_TRUE(port.shown);
    EXPECT_FALSE(port.running(PanelTimer::ButtonsDisplay));

    panel.FormMouseUp();
    EXPECT_FALSE(panel.Dragging);
    port.advance(100);
    EXPECT_FALSE(port.shown);
}

TEST_F(Panel, CursorFollowsTheHandleZoneAndIsSetOnlyOnChange) {
    move(8, 15);
    move(5, 15);
    EXPECT_EQ(port.cursor, PanelCursor::SizeAll);
    move(9, 15);
    move(20, 15);
    EXPECT_EQ(port.cursor, PanelCursor::Arrow);
    EXPECT_EQ(port.cursorChanges, 2);

    move(3, 15);
    panel.FormMouseDown(port.bounds.left + 4, port.bounds.top + 16);
    panel.FormMouseMove(3, 15, 900, 100);
    EXPECT_EQ(port.cursor, PanelCursor::Arrow); // a drag shows the arrow
}

TEST_F(Panel, DragFollowsTheMouseWithinTheWorkArea) {
    port.screens[0].work = WorkArea{100, 40, 1920, 1040};
    port.bounds = {300, 500, 32, 82};
    panel.FormMouseDown(510, 305); // offset (10, 5)
    EXPECT_EQ(panel.DragOffset, (DragPoint{10, 5}));
    EXPECT_EQ(panel.DragWorkArea, (WorkArea{100, 40, 1920, 1040}));

    panel.FormMouseMove(0, 0, 610, 405);
    EXPECT_EQ(port.bounds.left, 600);
    EXPECT_EQ(port.bounds.top, 400);

    // 20 pixels left of the work area: the left stays at its last value, the top follows.
    panel.FormMouseMove(0, 0, 90, 500);
    EXPECT_EQ(port.bounds.left, 600);
    EXPECT_EQ(port.bounds.top, 495);
    panel.FormMouseMove(0, 0, 110, 500);
    EXPECT_EQ(port.bounds.left, 100);

    // One pixel above the work area's top is allowed, two are not.
    panel.FormMouseMove(0, 0, 300, 44);
    EXPECT_EQ(port.bounds.top, 39);
    panel.FormMouseMove(0, 0, 300, 43);
    EXPECT_EQ(port.bounds.top, 39);
    EXPECT_EQ(port.bounds.left, 290);

    // Right: the fixed width 82; bottom: the current height.
    panel.FormMouseMove(0, 0, 1920 - 82 + 10, 1040 - 32 + 5);
    EXPECT_EQ(port.bounds.left, 1838);
    EXPECT_EQ(port.bounds.top, 1008);
    const int movesBefore = port.moves;
    panel.FormMouseMove(0, 0, 1920 - 82 + 11, 1040 - 32 + 6);
    EXPECT_EQ(port.moves, movesBefore); // both axes out of range: nothing moves
    EXPECT_EQ(port.bounds.left, 1838);
    EXPECT_EQ(port.bounds.top, 1008);
}

TEST_F(Panel, DragLimitsUseTheWholeScreenWithoutAWorkArea) {
    port.screens[0].work.reset();
    panel.FormMouseDown(1010, 10);
    EXPECT_EQ(panel.DragWorkArea, (WorkArea{0, 0, 1920, 1080}));
    panel.FormMouseMove(0, 0, 1010, 1080 - 32 + 10);
    EXPECT_EQ(port.bounds.top, 1048);
}

TEST_F(Panel, DragCrossesToTheNextMonitorWithItsLimits) {
    // A taller primary screen and, right of it, a shorter one at 150 % with its taskbar on
    // the right.
    port.screens.push_back({{1920, 0, 3200, 800}, WorkArea{1920, 0, 3150, 800}, 144, false});
    port.bounds = {1000, 1800, 32, 82};
    panel.FormMouseDown(1840, 1010); // offset (40, 10)

    panel.FormMouseMove(0, 0, 1870, 990);
    EXPECT_EQ(port.bounds.left, 1830);
    panel.FormMouseMove(0, 0, 1910, 990); // past the primary's right limit 1838
    EXPECT_EQ(port.bounds.left, 1830);

    // The mouse on the next monitor: its limits, and the panel stands wholly on it, pulled up
    // under its bottom (800 - 32) and to its left edge.
    panel.FormMouseMove(0, 0, 1925, 700);
    EXPECT_EQ(panel.DragWorkArea, (WorkArea{1920, 0, 3150, 800}));
    EXPECT_EQ(port.bounds.left, 1920);
    EXPECT_EQ(port.bounds.top, 690);
    panel.FormMouseMove(0, 0, 3100, 900); // the mouse below the work area's bottom
    EXPECT_EQ(port.bounds.left, 3060);
    EXPECT_EQ(port.bounds.top, 690);
    panel.FormMouseMove(0, 0, 3200, 20); // right limit 3150 - 82
    EXPECT_EQ(port.bounds.left, 3060);
    EXPECT_EQ(port.bounds.top, 10);

    // And back: on the primary screen its limits again.
    panel.FormMouseMove(0, 0, 1500, 20);
    EXPECT_EQ(panel.DragWorkArea, (WorkArea{0, 0, 1920, 1040}));
    EXPECT_EQ(port.bounds.left, 1460);
}

TEST_F(Panel, DragOnAMonitorLeftOfAndAboveThePrimary) {
    port.screens.push_back({{-1280, -1024, 0, 0}, WorkArea{-1280, -1024, 0, -40}, 120, false});
    port.bounds = {10, 10, 32, 82};
    panel.FormMouseDown(20, 20); // offset (10, 10)
    panel.FormMouseMove(0, 0, -500, -500);
    EXPECT_EQ(port.bounds, (Dimension{-510, -510, 32, 82}));
    panel.FormMouseMove(0, 0, -1285, -100); // left of everything: the left stays
    EXPECT_EQ(port.bounds.left, -510);
    EXPECT_EQ(port.bounds.top, -110);
    panel.FormMouseMove(0, 0, -1270, -1015); // one pixel above the top is allowed
    EXPECT_EQ(port.bounds, (Dimension{-1025, -1280, 32, 82}));
}

TEST_F(Panel, FailedPressLeavesThePanelIdle) {
    port.throwOnMonitors = true;
    panel.FormMouseDown(1010, 10);
    EXPECT_FALSE(panel.Dragging);
    panel.FormMouseMove(20, 10, 1500, 500);
    EXPECT_EQ(port.moves, 0);
}

TEST(PanelDrag, StepsAreDecidedPerAxis) {
    const WorkArea work{0, 0, 1280, 1000};
    EXPECT_EQ(dragStep({-20, 300}, {0, 0}, work, 82, 32), (DragStep{std::nullopt, 300}));
    EXPECT_EQ(dragStep({0, -1}, {0, 0}, work, 82, 32), (DragStep{0, -1}));
    EXPECT_EQ(dragStep({1198, -2}, {0, 0}, work, 82, 32), (DragStep{1198, std::nullopt}));
    EXPECT_EQ(dragStep({1199, 960}, {0, 0}, work, 82, 40), (DragStep{std::nullopt, 960}));
    EXPECT_EQ(dragStep({1210, 971}, {12, 10}, work, 82, 40), (DragStep{1198, std::nullopt}));
}

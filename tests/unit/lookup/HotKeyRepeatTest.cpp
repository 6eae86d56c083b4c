// One lookup per press of the shortcut, however long it is held.
#include <gtest/gtest.h>

#include <string>

#include "lookup/HotKeyRepeat.h"

using namespace qlx;

TEST(HotKeyRepeat, RepeatsOfAHeldShortcutAreDroppedUntilItsRelease) {
    // Events: "P<ms>" a hot key at that moment, "R" the release seen. Acted: one letter per
    // hot key, "y" acted on, "n" dropped.
    struct Case {
        std::vector<std::string> events;
        std::string acted;
    } cases[] = {
        {{"P0"}, "y"},
        // Held for two seconds: the first repeat after the keyboard delay, then every 33 ms.
        {{"P0", "P500", "P533", "P566", "P2000"}, "ynnnn"},
        // Released and pressed again quickly: a new press each time.
        {{"P0", "R", "P200", "P700", "R", "P800"}, "yyny"},
        // A release never seen: a pause longer than any repeat's makes the next a new press.
        {{"P0", "P400", "P1900", "P3401", "P3402"}, "ynnyn"},
        // A release before any press changes nothing.
        {{"R", "P10", "P20"}, "yn"},
    };
    for (const Case& c : cases) {
        HotKeyRepeatFilter filter;
        std::string acted;
        for (const std::string& e : c.events) {
            if (e == "R") filter.released();
            else acted += filter.hotKey(std::stoull(e.substr(1))) ? 'y' : 'n';
        }
        EXPECT_EQ(acted, c.acted) << c.events.size() << " events ending " << c.events.back();
    }
}

TEST(HotKeyRepeat, TheReleaseIsWatchedForOnlyWhileARepeatMayCome) {
    HotKeyRepeatFilter filter;
    EXPECT_FALSE(filter.watching(0));
    filter.hotKey(1000);
    EXPECT_TRUE(filter.watching(1000));
    EXPECT_TRUE(filter.watching(1000 + HotKeyRepeatFilter::kRepeatGapMs));
    EXPECT_FALSE(filter.watching(1001 + HotKeyRepeatFilter::kRepeatGapMs));
    filter.hotKey(1600);
    EXPECT_TRUE(filter.watching(2500));
    filter.released();
    EXPECT_FALSE(filter.watching(2500));
}

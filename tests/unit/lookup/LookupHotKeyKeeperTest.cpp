// Keeping the lookup shortcut: quiet retries while another program holds it, the start-up
// message after them, the settings window's changes and the tray icon's tip.
#include <gtest/gtest.h>

#include <algorithm>

#include "FakeLookupHotKeyPort.h"
#include "lookup/LookupHotKeyKeeper.h"

using namespace qlx;

namespace {

constexpr uint16_t kCtrlShiftC = 24643;
constexpr uint16_t kCtrlShiftQ = 0x6051;
const std::string kTipWorks = "Quiklex \x96 Ctrl+Shift+C";
const std::string kTipTaken = "Quiklex \x96 genvejen er optaget";

// Another program holds some shortcuts until a moment on the fake clock.
struct Keeper {
    FakeLookupHotKeyPort port;
    bool modal = false;
    LookupHotKeyKeeper keeper{port, modal};
    std::vector<std::pair<uint16_t, uint64_t>> heldUntil; // shortcut, released at
    int tries = 0;

    Keeper() {
        port.onHotKey = [this](uint16_t h, bool on) {
            if (!on) return true;
            ++tries;
            for (auto [held, until] : heldUntil)
                if (held == h && port.clock < until) return false;
            return true;
        };
    }
    // Lets the retry timer fire, at its period, until the clock reaches `ms`.
    uint64_t lastFired = 0;
    void runUntil(uint64_t ms) {
        while (port.timer != 0) {
            lastFired = std::max(lastFired, port.timerSince); // (re)started since
            if (lastFired + port.timer > ms) break;
            port.clock = lastFired += port.timer;
            keeper.retryTimer();
        }
        port.clock = std::max(port.clock, ms);
    }
    size_t problems() const { return static_cast<size_t>(port.problemsPosted); }
};

} // namespace

TEST(LookupHotKeyKeeper, FreeShortcutRegistersAtOnceWithoutRetries) {
    Keeper k;
    EXPECT_TRUE(k.keeper.start(kCtrlShiftC));
    EXPECT_EQ(k.port.timer, 0u);
    EXPECT_EQ(k.port.tips, (std::vector<std::string>{kTipWorks}));
}

TEST(LookupHotKeyKeeper, HolderLettingGoWithinThirtySecondsIsNeverReported) {
    struct Case {
        uint64_t releasedAt, registeredBy;
        int tries;
    } cases[] = {{5000, 6000, 4}, {29000, 30000, 16}, {30000, 30000, 16}};
    for (const Case& c : cases) {
        Keeper k;
        k.heldUntil = {{kCtrlShiftC, c.releasedAt}};
        EXPECT_FALSE(k.keeper.start(kCtrlShiftC));
        k.keeper.firstShow(true);
        EXPECT_EQ(k.port.timer, LookupHotKeyKeeper::kStartRetryMs);
        k.runUntil(c.registeredBy);
        EXPECT_TRUE(k.keeper.registered()) << c.releasedAt;
        EXPECT_EQ(k.tries, c.tries) << c.releasedAt;
        EXPECT_EQ(k.port.timer, 0u);
        k.runUntil(600000);
        EXPECT_EQ(k.problems(), 0u) << c.releasedAt;
        EXPECT_FALSE(k.modal);
        EXPECT_EQ(k.port.tips, (std::vector<std::string>{kTipTaken, kTipWorks}));
    }
}

TEST(LookupHotKeyKeeper, HeldForThirtySecondsIsReportedOnceThenRetriedEveryMinute) {
    Keeper k;
    k.heldUntil = {{kCtrlShiftC, 200000}};
    k.keeper.start(kCtrlShiftC);
    k.keeper.firstShow(true);
    k.runUntil(29999);
    EXPECT_EQ(k.problems(), 0u);
    k.runUntil(30000);
    EXPECT_EQ(k.problems(), 1u);
    EXPECT_TRUE(k.modal); // until the posted message has been shown
    EXPECT_EQ(k.port.timer, LookupHotKeyKeeper::kLaterRetryMs);
    EXPECT_EQ(k.tries, 16);
    k.modal = false;
    k.runUntil(199999); // 90, 150 s
    EXPECT_EQ(k.tries, 18);
    EXPECT_FALSE(k.keeper.registered());
    k.runUntil(210000); // the holder let go at 200 s
    EXPECT_TRUE(k.keeper.registered());
    EXPECT_EQ(k.tries, 19);
    EXPECT_EQ(k.port.timer, 0u);
    EXPECT_EQ(k.problems(), 1u);
    EXPECT_EQ(k.port.tips, (std::vector<std::string>{kTipTaken, kTipWorks}));
}

TEST(LookupHotKeyKeeper, MessageWaitsForTheFirstShowAndOpenDialogsAndIsLeftOutInTheWelcome) {
    // Before the first show and while a dialog is open it waits, trying on every 2 s.
    Keeper k;
    k.heldUntil = {{kCtrlShiftC, UINT64_MAX}};
    k.keeper.start(kCtrlShiftC);
    k.runUntil(34000);
    EXPECT_EQ(k.problems(), 0u);
    k.keeper.firstShow(true);
    k.modal = true;
    k.runUntil(38000);
    EXPECT_EQ(k.problems(), 0u);
    EXPECT_EQ(k.port.timer, LookupHotKeyKeeper::kStartRetryMs);
    k.modal = false;
    k.runUntil(40000);
    EXPECT_EQ(k.problems(), 1u);

    // The welcome flow of a very first start: no message, the minute's retries all the same.
    Keeper w;
    w.heldUntil = {{kCtrlShiftC, UINT64_MAX}};
    w.keeper.start(kCtrlShiftC);
    w.keeper.firstShow(false);
    w.runUntil(600000);
    EXPECT_EQ(w.problems(), 0u);
    EXPECT_FALSE(w.modal);
    EXPECT_EQ(w.port.timer, LookupHotKeyKeeper::kLaterRetryMs);
}

TEST(LookupHotKeyKeeper, SettingsWindowConfirmed) {
    constexpr uint64_t kHeld = UINT64_MAX;
    struct Case {
        const char* what;
        std::vector<std::pair<uint16_t, uint64_t>> held;
        uint16_t wanted;
        uint16_t chosen;
        bool problem, registered;
        uint32_t timer;
        std::string tip;
    } cases[] = {
        {"unchanged", {}, kCtrlShiftC, kCtrlShiftC, false, true, 0, kTipWorks},
        {"unchanged, held until now", {{kCtrlShiftC, 1}}, kCtrlShiftC, kCtrlShiftC, false, true,
         0, kTipWorks},
        // The user's choice stays although it is still held; the minute's retries go on.
        {"unchanged, still held", {{kCtrlShiftC, kHeld}}, kCtrlShiftC, kCtrlShiftC, true, false,
         LookupHotKeyKeeper::kLaterRetryMs, kTipTaken},
        {"new", {}, kCtrlShiftQ, kCtrlShiftQ, false, true, 0, "Quiklex \x96 ?"},
        {"new held, old back", {{kCtrlShiftQ, kHeld}}, kCtrlShiftQ, kCtrlShiftC, true, true, 0,
         kTipWorks},
        {"new and old held", {{kCtrlShiftQ, kHeld}, {kCtrlShiftC, kHeld}}, kCtrlShiftQ, 0, true,
         false, 0, "Quiklex"},
        {"none", {}, 0, 0, false, false, 0, "Quiklex"},
    };
    for (const Case& c : cases) {
        Keeper k;
        k.heldUntil = c.held;
        k.keeper.start(kCtrlShiftC);
        k.keeper.firstShow(true);
        k.port.clock = 1; // a moment later
        const LookupHotKeyKeeper::Change change = k.keeper.settingsConfirmed(c.wanted, kCtrlShiftC);
        EXPECT_EQ(change.shortcut, c.chosen) << c.what;
        EXPECT_EQ(change.problem, c.problem) << c.what;
        EXPECT_EQ(k.keeper.registered(), c.registered) << c.what;
        EXPECT_EQ(k.port.timer, c.timer) << c.what;
        EXPECT_EQ(k.port.tips.back(), c.tip) << c.what;
        // A message shown here is not followed by the start-up one.
        k.runUntil(120000);
        EXPECT_EQ(k.problems(), 0u) << c.what;
    }
}

TEST(LookupHotKeyKeeper, ADesktopWithoutKeyGrabsKeepsTheChoiceQuietly) {
    // Wayland: nothing is asked for, retried or reported; the choice stays for the settings.
    Keeper k;
    k.port.grabAllowed = false;
    k.keeper.firstShow(true);
    EXPECT_FALSE(k.keeper.start(kCtrlShiftC));
    k.runUntil(120000);
    EXPECT_EQ(k.tries, 0);
    EXPECT_EQ(k.port.timer, 0u);
    EXPECT_EQ(k.problems(), 0u);
    EXPECT_EQ(k.keeper.chosen(), kCtrlShiftC);
    EXPECT_EQ(k.port.tips, std::vector<std::string>{"Quiklex"});
    const LookupHotKeyKeeper::Change change = k.keeper.settingsConfirmed(kCtrlShiftQ, kCtrlShiftC);
    EXPECT_EQ(change.shortcut, kCtrlShiftQ);
    EXPECT_FALSE(change.problem);
    EXPECT_EQ(k.tries, 0);
}

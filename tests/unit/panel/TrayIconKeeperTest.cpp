// The notification-area icon kept there: quiet retries while the shell refuses it, its return
// after a taskbar restart, its image at the wanted size, and the taskbar button meanwhile.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "panel/TrayIconKeeper.h"

using namespace qlx;
using Calls = std::vector<std::string>;

namespace {
// A shell that refuses the icon while `ready` is false; the calls are recorded.
struct FakeShell : TrayIconPort {
    bool ready = true;
    bool fails = false; // adding raises an error
    bool keeps = true;  // the icon stays (false: the shell forgot it)
    int32_t size = 16;
    uint32_t timer = 0;
    bool button = false;
    Calls calls;

    bool addTrayIcon(int32_t s) override {
        calls.push_back("add " + std::to_string(s));
        if (fails) throw std::runtime_error("icon");
        return ready;
    }
    void removeTrayIcon() override { calls.push_back("remove"); }
    bool setTrayIconImage(int32_t s) override {
        calls.push_back("image " + std::to_string(s));
        return keeps;
    }
    int32_t trayIconImageSize() override { return size; }
    void showTaskbarButton(bool show) override { button = show; }
    void startTrayIconTimer(uint32_t ms) override { timer = ms; }
    void stopTrayIconTimer() override { timer = 0; }
};

struct Tray : ::testing::Test {
    FakeShell shell;
    TrayIconKeeper keeper{shell};
    // The program shows its panel with the icon wanted: it asks for no taskbar button.
    void start() {
        keeper.taskbarButtonRequested(false);
        shell.calls.clear();
    }
};
} // namespace

TEST_F(Tray, RefusedAtTheStartItIsAskedForAgainWithTheTaskbarButtonMeanwhile) {
    start();
    shell.ready = false;
    EXPECT_EQ(keeper.show(), TrayIconKeeper::Added::Refused);
    EXPECT_TRUE(shell.button);
    EXPECT_EQ(shell.timer, TrayIconKeeper::kQuickRetryMs);
    // The program's own requests to hide the button do not take the user's way back away.
    keeper.taskbarButtonRequested(false);
    EXPECT_TRUE(shell.button);
    for (int i = 1; i < TrayIconKeeper::kQuickRetries; ++i) keeper.retryTimer();
    EXPECT_EQ(shell.timer, TrayIconKeeper::kQuickRetryMs);
    keeper.retryTimer();
    EXPECT_EQ(shell.timer, TrayIconKeeper::kSlowRetryMs);
    EXPECT_EQ(shell.calls.size(), 1u + TrayIconKeeper::kQuickRetries);
    // The taskbar is there: the icon comes, the timer stops, the button goes.
    shell.ready = true;
    keeper.retryTimer();
    EXPECT_TRUE(keeper.present());
    EXPECT_EQ(shell.timer, 0u);
    EXPECT_FALSE(shell.button);
}

TEST_F(Tray, AnErrorIsReportedOnceAndTheRetriesGoOn) {
    start();
    shell.fails = true;
    EXPECT_EQ(keeper.show(), TrayIconKeeper::Added::Failed);
    EXPECT_TRUE(shell.button);
    keeper.retryTimer();
    EXPECT_EQ(shell.timer, TrayIconKeeper::kQuickRetryMs);
    shell.fails = false;
    keeper.retryTimer();
    EXPECT_TRUE(keeper.present());
    EXPECT_FALSE(shell.button);
}

TEST_F(Tray, TurnedOffOrEndedWhileRetryingNothingComesBack) {
    // Turned off in the settings window, which then asks for the button; and the program's
    // end, after which a restarted taskbar gets no icon either.
    for (bool settings : {true, false}) {
        FakeShell shell;
        TrayIconKeeper keeper{shell};
        shell.ready = false;
        keeper.show();
        keeper.hide();
        if (settings) keeper.taskbarButtonRequested(true);
        EXPECT_EQ(shell.calls.back(), "remove");
        EXPECT_EQ(shell.timer, 0u);
        EXPECT_EQ(shell.button, settings);
        shell.ready = true;
        keeper.retryTimer(); // a tick already on its way
        keeper.taskbarCreated();
        EXPECT_EQ(shell.calls.back(), "remove");
        EXPECT_FALSE(keeper.present());
    }
}

TEST_F(Tray, ARestartedTaskbarGetsTheIconBack) {
    start();
    keeper.show();
    // The new taskbar comes up at another scale.
    shell.size = 24;
    keeper.taskbarCreated();
    EXPECT_EQ(shell.calls, (Calls{"add 16", "add 24"}));
    EXPECT_TRUE(keeper.present());
    // One still starting refuses it at first: retried, with the taskbar button meanwhile.
    shell.ready = false;
    keeper.taskbarCreated();
    EXPECT_TRUE(shell.button);
    EXPECT_EQ(shell.timer, TrayIconKeeper::kQuickRetryMs);
    shell.ready = true;
    keeper.retryTimer();
    EXPECT_FALSE(shell.button);
}

TEST_F(Tray, TheImageIsRenewedWhenTheWantedSizeChanges) {
    start();
    keeper.scaleMayHaveChanged(); // no icon wanted: nothing to renew
    keeper.show();
    keeper.scaleMayHaveChanged(); // the same size
    shell.size = 32;
    keeper.scaleMayHaveChanged();
    keeper.scaleMayHaveChanged();
    EXPECT_EQ(shell.calls, (Calls{"add 16", "image 32"}));
    // The shell no longer has the icon: it is added again.
    shell.size = 20;
    shell.keeps = false;
    keeper.scaleMayHaveChanged();
    EXPECT_FALSE(keeper.present());
    keeper.retryTimer();
    EXPECT_EQ(shell.calls.back(), "add 20");
    EXPECT_TRUE(keeper.present());
}

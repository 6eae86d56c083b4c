// The panel's band and busy flag around a dialog it owns, and the keep-in-front timer.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "dialogs/MessageWinModal.h"

using namespace qlx;

namespace {
struct Panel {
    bool ModalDialogOpen = false;
    bool OnTopActive = true;
    std::string bands;
    std::function<void(bool)> apply() {
        return [this](bool on) { bands += on ? "top " : "normal "; };
    }
};
} // namespace

TEST(MessageWinModal, PanelLeavesTheTopmostBandWhileItsDialogIsOpen) {
    Panel p;
    {
        PanelDialogScope scope(p.ModalDialogOpen, p.OnTopActive, p.apply());
        EXPECT_TRUE(p.ModalDialogOpen);
        EXPECT_EQ(p.bands, "normal ");
    }
    EXPECT_FALSE(p.ModalDialogOpen);
    EXPECT_EQ(p.bands, "normal top ");

    p.OnTopActive = false;
    p.bands.clear();
    { PanelDialogScope scope(p.ModalDialogOpen, p.OnTopActive, p.apply()); }
    EXPECT_EQ(p.bands, "normal normal ");
}

TEST(MessageWinModal, RestoredAlsoWhenTheDialogFailsAndInsideAnotherModalStep) {
    Panel p;
    p.ModalDialogOpen = true; // e.g. the first start of a new version
    EXPECT_THROW(
        {
            PanelDialogScope scope(p.ModalDialogOpen, p.OnTopActive, p.apply());
            p.OnTopActive = false; // toggled while the dialog was open
            throw std::runtime_error("dialog");
        },
        std::runtime_error);
    EXPECT_TRUE(p.ModalDialogOpen);
    EXPECT_EQ(p.bands, "normal normal ");
}

TEST(MessageWinModal, TimerRefocusesOnlyAHeldDialogThatLostTheFocus) {
    DialogInFront front;
    EXPECT_FALSE(front.timerEnabled());
    EXPECT_EQ(front.TimerZorderTimer(5), std::nullopt);
    front.hold(7);
    EXPECT_TRUE(front.timerEnabled());
    EXPECT_EQ(front.TimerZorderTimer(7), std::nullopt);
    EXPECT_EQ(front.TimerZorderTimer(5), 7u);
    front.hold(9); // a nested dialog takes over
    EXPECT_EQ(front.TimerZorderTimer(7), 9u);
    front.release();
    EXPECT_FALSE(front.timerEnabled());
}

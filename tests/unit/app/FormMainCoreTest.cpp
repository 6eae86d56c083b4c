// The main window's creation order, first show, internal commands, ShowPanel and closing.
#include <gtest/gtest.h>

#include "FakeFormMainSteps.h"
#include "app/FormMainCore.h"

using namespace qlx;
using Calls = std::vector<std::string>;

namespace {
struct Main : ::testing::Test {
    FakeFormMainPort port;
    ProgramState state;
    FormMainCore form{state, port, port, port};
    void create(std::vector<std::string> args = {}) { form.FormCreate(args, "C:\\Q\\"); }
};
} // namespace

TEST_F(Main, CreationRunsItsStepsInOrder) {
    create({"-startdelay", "2"});
    EXPECT_EQ(port.calls, (Calls{"sleep 2000", "location", "bounds 860,0,82,32",
                                 "autostart check", "load", "hotkey 24643", "layout", "ontop+"}));
    EXPECT_EQ(state.ProgramFolder, "C:\\Q\\");
    EXPECT_TRUE(form.StartupPending);
    EXPECT_FALSE(state.TrackMoves);
    // The rest comes after the first show; a failing step does not stop the next.
    port.calls.clear();
    port.failDefinitions = true;
    form.FinishCreation();
    EXPECT_EQ(port.calls, (Calls{"tray+", "taskbar-", "definitions", "drop"}));
    state.SysTrayIcon = false;
    port.calls.clear();
    form.FinishCreation();
    EXPECT_EQ(port.calls, (Calls{"definitions", "drop"}));
}

TEST(MainStart, PanelIsCreatedTwoOfItsWidthsFromTheRightAtTheScreensScale) {
    const struct {
        int dpi;
        const char* bounds;
    } cases[] = {{96, "bounds 1756,0,82,32"},
                 {120, "bounds 1714,0,103,40"},
                 {144, "bounds 1674,0,123,48"},
                 {192, "bounds 1592,0,164,64"}};
    for (const auto& c : cases) {
        FakeFormMainPort port;
        port.screen = 1920;
        port.dpi = c.dpi;
        ProgramState state;
        FormMainCore form{state, port, port, port};
        form.FormCreate({}, "");
        EXPECT_TRUE(port.called(c.bounds)) << c.dpi;
    }
}

TEST_F(Main, MinimisedStartByOptionOrBySettingWhenAutomatic) {
    create({"-M"});
    EXPECT_EQ(port.calls.back(), "post 0/4");
    EXPECT_FALSE(form.StartupPending);

    FakeFormMainPort p2;
    ProgramState s2;
    FormMainCore f2{s2, p2, p2, p2};
    p2.onLoadSettings = [&] { s2.MinimizeStart = true; };
    f2.FormCreate({"-AUTO"}, "");
    EXPECT_TRUE(f2.MinimizeAtStart);
    EXPECT_EQ(p2.calls.back(), "post 0/4");

    FakeFormMainPort p3;
    ProgramState s3;
    FormMainCore f3{s3, p3, p3, p3};
    p3.onLoadSettings = [&] { s3.MinimizeStart = true; };
    f3.FormCreate({}, "");
    EXPECT_FALSE(f3.MinimizeAtStart);
    EXPECT_FALSE(p3.called("post 0/4"));
}

TEST_F(Main, FailedHotKeyAndTrayIcon) {
    port.hotKeyOk = false;
    port.trayOk = false;
    create();
    form.FinishCreation();
    // The refused shortcut stays the user's choice and is saved as it was read.
    EXPECT_EQ(state.Hotkey, kDefaultHotkey);
    EXPECT_TRUE(form.HotKeyFailed);
    EXPECT_TRUE(port.called("message Windows fejl:  Kunne ikke skabe ikonen ved siden af uret"));
    EXPECT_FALSE(port.called("taskbar-"));
    EXPECT_FALSE(state.ModalDialogOpen);
}

TEST_F(Main, FirstShowPostsOneDeferredStep) {
    state.StoredProgramVersion = "0.6.0";
    form.HotKeyFailed = true;
    state.SettingsFileMissing = true;
    form.FormShow();
    // The welcome wins, and a refused shortcut is never reported after it.
    EXPECT_EQ(port.calls,
              (Calls{"post finish", "post 3/5", "hotkey message left out", "taskbar-"}));
    EXPECT_FALSE(state.ModalDialogOpen);
    port.calls.clear();
    form.FormShow(); // only the first show posts
    EXPECT_EQ(port.calls, (Calls{"taskbar-"}));

    for (const char* older : {"", "0.5.9", "0.10.0"}) {
        FakeFormMainPort p;
        ProgramState s;
        FormMainCore f{s, p, p, p};
        s.StoredProgramVersion = older;
        f.HotKeyFailed = true;
        s.SysTrayIcon = false;
        f.FormShow();
        EXPECT_EQ(p.calls, (Calls{"post finish", "post 0/2", "hotkey message allowed", "taskbar+"}))
            << older;
        EXPECT_TRUE(s.ModalDialogOpen);
    }

    FakeFormMainPort p;
    ProgramState s;
    FormMainCore f{s, p, p, p};
    s.StoredProgramVersion = "0.6.1";
    f.HotKeyFailed = true;
    f.FormShow();
    // A refused shortcut is not reported at the first show: its quiet retries come first.
    EXPECT_EQ(p.calls, (Calls{"post finish", "hotkey message allowed", "taskbar-"}));
    EXPECT_FALSE(s.ModalDialogOpen);
}

TEST_F(Main, FirstStartOfVersionCommand) {
    state.ModalDialogOpen = true;
    form.HotKeyFailed = true;
    EXPECT_EQ(form.UniqueProductMessage(0, 2, 0xC123), 0);
    EXPECT_EQ(port.calls, (Calls{"first start of version"})); // the shortcut is told later
    EXPECT_FALSE(state.ModalDialogOpen);

    port.calls.clear();
    state.NoInitMessage = true;
    form.HotKeyFailed = false;
    state.ModalDialogOpen = true;
    form.UniqueProductMessage(0, 2, 0xC123);
    EXPECT_TRUE(port.calls.empty());
    EXPECT_FALSE(state.ModalDialogOpen);
}

TEST_F(Main, InternalCommandTable) {
    const uint32_t msg = 0xC0DE;
    state.ModalDialogOpen = true;
    form.UniqueProductMessage(0, 3, msg);
    EXPECT_FALSE(state.ModalDialogOpen);
    form.UniqueProductMessage(0, 4, msg);
    form.UniqueProductMessage(0, 1, msg);
    for (uintptr_t w : {1, 2, 3, 4, 5, 6}) form.UniqueProductMessage(w, 5, msg);
    form.UniqueProductMessage(0, 514, msg);
    form.UniqueProductMessage(0, 517, msg);
    form.UniqueProductMessage(0x02EE03E8, 0x401, msg); // the icon's keyboard, at its place
    form.UniqueProductMessage(0x02EE03E8, 0x7B, msg);
    form.UniqueProductMessage(0, 99, msg);
    EXPECT_EQ(port.calls, (Calls{"hotkey problem", "minimize", "new messages", "settings window",
                                 "welcome", "info page", "save", "tray 514", "tray 517",
                                 "tray 1025", "tray 123"}));
}

TEST_F(Main, InstanceSignalShowsAndAnswers) {
    const uint32_t msg = 0xC0DE;
    EXPECT_EQ(form.UniqueProductMessage(0, 0, msg), static_cast<intptr_t>(msg));
    EXPECT_EQ(port.calls, (Calls{"restore", "front"}));
    port.calls.clear();
    EXPECT_EQ(form.UniqueProductMessage(0xFFFF, 0, msg), static_cast<intptr_t>(msg));
    EXPECT_EQ(port.calls, (Calls{"restore", "front", "lookup"}));
    port.calls.clear();
    // Any other word does nothing and answers 0, so the sender brings nothing forward.
    EXPECT_EQ(form.UniqueProductMessage(4464, 0, msg), 0);
    EXPECT_TRUE(port.calls.empty());
    EXPECT_FALSE(form.InstanceRequestPending);
}

TEST_F(Main, InstanceSignalWhileADialogIsOpenOnlyLifts) {
    state.ModalDialogOpen = true;
    EXPECT_EQ(form.UniqueProductMessage(0xFFFF, 0, 0xC0DE), 0);
    EXPECT_EQ(port.calls, (Calls{"lift"}));
    EXPECT_FALSE(form.InstanceRequestPending);
    // The shortcut during a dialog brings the windows forward but looks nothing up.
    port.calls.clear();
    form.HotKey();
    EXPECT_EQ(port.calls, (Calls{"restore", "front"}));
    state.ModalDialogOpen = false;
    port.calls.clear();
    form.HotKey();
    EXPECT_EQ(port.calls, (Calls{"restore", "front", "lookup shortcut"}));
    // Taken by the settings window: it only comes forward.
    port.calls.clear();
    port.capturesShortcut = true;
    form.HotKey();
    EXPECT_EQ(port.calls, (Calls{"restore", "front"}));
}

TEST_F(Main, StartupTimerAndDeactivation) {
    create();
    port.calls.clear();
    form.FormActivate();
    form.FormActivate();
    EXPECT_EQ(port.count("timer+"), 1u);
    form.TimerStartupTimer();
    EXPECT_TRUE(state.TrackMoves);
    EXPECT_FALSE(form.StartupPending);

    FakeFormMainPort p;
    ProgramState s;
    FormMainCore f{s, p, p, p};
    f.StartupPending = true;
    s.ModalDialogOpen = true;
    f.ApplicationEvents1Deactivate();
    EXPECT_FALSE(s.TrackMoves);
    s.ModalDialogOpen = false;
    p.messagesReceived = true;
    f.ApplicationEvents1Deactivate();
    EXPECT_TRUE(p.called("new messages"));
    EXPECT_FALSE(s.TrackMoves);
    p.messagesReceived = false;
    f.ApplicationEvents1Deactivate();
    EXPECT_TRUE(s.TrackMoves);
    EXPECT_FALSE(f.StartupPending);
}

TEST_F(Main, CloseRunsItsWorkOnceEvenAfterAFailure) {
    state.StoredProgramVersion = "0.6.0";
    port.throwOnSave = true;
    EXPECT_TRUE(form.FormCloseQuery());
    EXPECT_EQ(port.calls, (Calls{"save on exit", "tray-"}));
    EXPECT_TRUE(form.FormCloseQuery());
    EXPECT_EQ(port.count("save on exit"), 1u);

    FakeFormMainPort p;
    ProgramState s;
    FormMainCore f{s, p, p, p};
    s.StoredProgramVersion = "0.5.0";
    s.SysTrayIcon = false;
    f.FormCloseQuery();
    EXPECT_EQ(p.calls, (Calls{"save on exit", "save messages"}));

    // The same version saves the shown messages only when they changed.
    FakeFormMainPort p2;
    ProgramState s2;
    FormMainCore f2{s2, p2, p2, p2};
    s2.StoredProgramVersion = "0.6.0";
    s2.SysTrayIcon = false;
    p2.messagesChanged = true;
    f2.FormCloseQuery();
    EXPECT_EQ(p2.calls, (Calls{"save on exit", "save messages"}));
}

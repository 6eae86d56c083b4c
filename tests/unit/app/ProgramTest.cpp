// The program composed over fakes of every shell port: the wiring between the features that
// no single feature's test sees.
#include <gtest/gtest.h>

#include <algorithm>

#include "../FakeFormMainSteps.h"
#include "../FakeLookupHotKeyPort.h"
#include "../FakeSettingsPorts.h"
#include "app/Program.h"
#include "panel/PanelMenus.h"
#include "state/ProgramCommands.h"

using namespace qlx;

namespace {

struct Shell : PanelPort,
               TrayIconPort,
               MessageWinPort,
               ShellOpenPort,
               LookupInputPort,
               DefinitionsDownloadPort,
               MessagesWindowOpener,
               SettingsWindowFactory,
               WelcomeWindowPort,
               ChromeFrameRegistryPort {
    std::vector<std::string> log;
    std::vector<std::string> opened;
    std::optional<std::string> clipboard;
    bool workerStarts = true;
    bool places = true; // the desktop lets the panel place itself (not Wayland)
    int moves = 0;

    void startTimer(PanelTimer, uint32_t) override {}
    void stopTimer(PanelTimer) override {}
    void showButtons(bool) override {}
    void setCursor(PanelCursor) override {}
    Dimension panelBounds() override { return {0, 900, 32, 82}; }
    void movePanelTo(int32_t, int32_t) override { ++moves; }
    bool placesItself() override { return places; }
    MonitorList monitors() override { return {}; }
    bool addTrayIcon(int32_t) override { return true; }
    void removeTrayIcon() override { log.push_back("tray-"); }
    bool setTrayIconImage(int32_t) override { return true; }
    int32_t trayIconImageSize() override { return 16; }
    void showTaskbarButton(bool) override {}
    void startTrayIconTimer(uint32_t) override {}
    void stopTrayIconTimer() override {}
    int32_t MessageWin(DialogOwner, const std::string& text, const std::string&, TMsgDlgType,
                       int32_t) override {
        log.push_back("dialog " + text);
        return 1;
    }
    int32_t openAddress(const std::string& address) override {
        opened.push_back(address);
        return 42;
    }
    std::optional<std::string> clipboardText() override { return clipboard; }
    void startTextInputs() override { log.push_back("inputs"); }
    DefinitionsServer server() override { return definitionsServer(std::nullopt); }
    bool startDownload(const DefinitionsServer&, bool, bool) override {
        log.push_back("download");
        return workerStarts;
    }
    void startRetryTimer(uint32_t ms) override { log.push_back("retry " + std::to_string(ms)); }
    void stopRetryTimer() override { log.push_back("retry off"); }
    void runMessagesWindow(MessageStore&, int32_t index) override {
        log.push_back("messages window " + std::to_string(index));
    }
    void setSaveTimer(bool) override {}
    std::unique_ptr<SettingsWindowHandle> createSettingsWindow() override {
        throw std::runtime_error("no window here");
    }
    int32_t showWelcomeWindow(const Dimension&) override { return 0; }
    bool openKey() override { return false; }
    Existing existingValue() override { return Existing::none; }
    bool writeNumber(uint32_t) override { return false; }
    bool writeText(const char*) override { return false; }
};

struct Composed {
    // linuxDesktop: the keys only the Linux program has, with its defaults.
    explicit Composed(bool linuxDesktop = false) : program(ports(linuxDesktop)) {}
    FakeFormMainPort window;
    Shell shell;
    FakeLookupHotKeyPort hotKey;
    FakeFileSystem files;
    FakeSystemInfo system;
    FakeRunLists runLists;
    Program program;

    ShellPorts ports(bool linuxDesktop) {
        ShellPorts p{window, window, shell,  shell,    shell, shell,
                     shell,  hotKey, shell,  shell,    shell, shell,
                     shell,  files,  system, runLists, {},    "C:\\Prog\\quiklex.exe"};
        if (linuxDesktop) p.lookupSelection = true, p.desktopLimitsNoticed = false;
        return p;
    }
};

} // namespace

TEST(Program, WaysInMenusAndTheEndReachTheShell) {
    Composed c;
    c.files.allDirectoriesExist = true;
    c.program.core().FormCreate({}, "C:\\Prog\\");
    c.program.core().FinishCreation();
    EXPECT_TRUE(c.window.called("layout"));
    EXPECT_EQ(c.shell.log.front(), "download"); // the download, then the text inputs
    EXPECT_NE(std::find(c.shell.log.begin(), c.shell.log.end(), "inputs"), c.shell.log.end());

    // The clipboard and the open button end at the page opener, on the dictionary.
    c.shell.clipboard = "  Hund ";
    c.program.lookupClipboard();
    c.program.imageOpenClick();
    ASSERT_EQ(c.shell.opened.size(), 2u);
    EXPECT_NE(c.shell.opened[0].find("/Hund/"), std::string::npos) << c.shell.opened[0];
    c.shell.clipboard.reset();
    c.program.lookupClipboard();
    EXPECT_EQ(c.shell.opened.size(), 2u);

    // The icon's keyboard menu at its point: two signed halves of the command's wParam.
    const uintptr_t point = (uintptr_t{10} << 16) | uint16_t(-5);
    c.program.core().UniqueProductMessage(point, kTrayContextMenu, 0xC123);
    EXPECT_TRUE(c.window.called("tray menu -5,10"));

    // "Afslut": saves once, takes the icon away and ends the program.
    c.program.menus().MenuCommand(PanelMenuItem::PopupMenuItemTerminate);
    EXPECT_TRUE(c.window.called("end"));
    EXPECT_EQ(c.files.files.count(c.program.settings().SettingsFilePath), 1u);
}

TEST(Program, DefinitionsRetryUntilADocumentArrives) {
    Composed c;
    c.shell.workerStarts = false; // no worker: a failure, and the timer retries
    c.program.startReadDefinitions(false);
    EXPECT_EQ(c.shell.log, (std::vector<std::string>{"download", "retry 1500"}));

    c.shell.log.clear();
    c.shell.workerStarts = true;
    c.program.definitionsRetryTimer();
    DefinitionsDownload failed;
    failed.status = kDefinitionsNoConnection;
    c.program.definitionsDone(failed, true, definitionsServer(std::nullopt));
    ASSERT_EQ(c.shell.log.size(), 3u); // download, retry timer, the reported failure
    EXPECT_EQ(c.shell.log[2].rfind("dialog ", 0), 0u);

    DefinitionsDownload done;
    done.status = kDefinitionsOk;
    done.messages.emplace();
    c.program.definitionsDone(done, false, definitionsServer(std::nullopt));
    EXPECT_EQ(c.shell.log.back(), "retry off");
}

TEST(Program, TheRetryTimerStopsOnceTheRetriesAreUsedUp) {
    // An idle program wakes for nothing: after the last failed retry the next tick ends the
    // timer instead of ticking on.
    Composed c;
    c.program.startReadDefinitions(false);
    DefinitionsDownload failed;
    failed.status = kDefinitionsNoConnection;
    c.program.definitionsDone(failed, false, definitionsServer(std::nullopt));
    for (int retry = 0; retry < DefinitionsRetry::kMaxRetries; ++retry) {
        c.program.definitionsRetryTimer();
        c.program.definitionsDone(failed, false, definitionsServer(std::nullopt));
    }
    c.shell.log.clear();
    c.program.definitionsRetryTimer();
    EXPECT_EQ(c.shell.log, std::vector<std::string>{"retry off"});
}

TEST(Program, OnAWaylandDesktopTheNoticeComesOnceAndTheStoredPlaceIsKept) {
    const std::string path = [] {
        Composed probe;
        probe.program.core().FormCreate({}, "C:\\Prog\\");
        return probe.program.settings().SettingsFilePath;
    }();
    const std::string notice =
        "post " + std::to_string(kDesktopLimitsNotice) + "/" + std::to_string(kCmdWithWParam);
    auto wayland = [&](Composed& c, bool portalBinds) {
        c.files.allDirectoriesExist = true;
        c.hotKey.grabAllowed = false;
        c.shell.places = false;
        c.program.core().FormCreate({}, "C:\\Prog\\");
        c.program.core().FormShow();
        EXPECT_FALSE(c.window.called(notice)) << "waits for the portal's answer";
        c.program.shortcutServiceAnswered(portalBinds);
    };

    // The portal took the shortcut: nothing to tell.
    Composed bound(true);
    wayland(bound, true);
    EXPECT_FALSE(bound.window.called(notice));

    // No portal: the notice once, after any open dialog, remembered at once; the place an X11
    // session stored stays for the next one there.
    Composed c(true);
    c.files.files[path] = "[MainForm]\r\nFromTop=\r\nFromBottom=40\r\nFromLeft=\r\n"
                          "FromRight=10\r\n[Settings]\r\nPrgVersion=0.6.0\r\n";
    wayland(c, false);
    EXPECT_EQ(c.window.count(notice), 1u);
    EXPECT_EQ(c.shell.moves, 0);
    c.program.state().ModalDialogOpen = true;
    c.program.core().UniqueProductMessage(kDesktopLimitsNotice, kCmdWithWParam, 0);
    c.program.state().ModalDialogOpen = false;
    c.program.core().UniqueProductMessage(0, kCmdFirstStartOfVersion, 0); // that dialog's end
    EXPECT_EQ(c.window.count(notice), 2u);
    c.program.core().UniqueProductMessage(kDesktopLimitsNotice, kCmdWithWParam, 0);
    const auto dialogs = std::count_if(c.shell.log.begin(), c.shell.log.end(), [](auto& line) {
        return line.find("quiklex --clipboard") != std::string::npos;
    });
    EXPECT_EQ(dialogs, 1);
    EXPECT_NE(c.files.files[path].find("WaylandNoticeShown=1"), std::string::npos);
    EXPECT_NE(c.files.files[path].find("FromBottom=40\r\nFromLeft=\r\nFromRight=10"),
              std::string::npos);
    c.program.core().UniqueProductMessage(0, kCmdFirstStartOfVersion, 0);
    EXPECT_EQ(c.window.count(notice), 2u);

    // The next start reads the mark.
    Composed next(true);
    next.files.files[path] = c.files.files[path];
    wayland(next, false);
    EXPECT_FALSE(next.window.called(notice));
}

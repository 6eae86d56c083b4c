// The main window's life: creation, first show, internal commands and closing.
#include "app/FormMainCore.h"

#include "panel/PanelLayout.h"

namespace qlx {

namespace {
const char* const kTrayIconFailed = "Windows fejl:  Kunne ikke skabe ikonen ved siden af uret";

// Runs a step whose failure must not stop the caller.
template <typename F> void guarded(F&& step) {
    try {
        step();
    } catch (...) {
    }
}
} // namespace

void FormMainCore::FormCreate(const std::vector<std::string>& args,
                              const std::string& programFolder) {
    FirstShowPending = true;
    StartedAutomatically = state_.NoInitMessage = MinimizeAtStart = HotKeyFailed = false;

    const StartOptions options = parseStartOptions(args);
    for (uint32_t ms : options.delaysMs) app_.sleepMs(ms);
    StartedAutomatically = options.startedAutomatically;
    state_.NoInitMessage = options.noInitMessage;
    MinimizeAtStart = options.minimizeAtStart;

    state_.Templates = PageTemplates::defaults();
    state_.ProgramFolder = programFolder;
    state_.SettingsPathFailed = !steps_.determineSettingsLocation();

    // Two panel widths in from the primary screen's right edge, at that screen's scale.
    const PanelSize size = panelOuterSize(panel_.screenDpi());
    panel_.setPanelBounds(panel_.screenWidth() - 2 * size.width, 0, size.width, size.height);

    state_.MinimizeStart = false;
    state_.SysTrayIcon = true;
    state_.Hotkey = kDefaultHotkey;
    state_.AlwaysOnTop = true;
    state_.UseChromeFrame = false;

    steps_.checkMachineAutostart();
    steps_.loadSettings();
    state_.OnTopActive = state_.AlwaysOnTop;
    if (state_.MinimizeStart && StartedAutomatically) MinimizeAtStart = true;

    // A shortcut that another program holds stays the user's choice (and is saved as it was
    // read): it is retried quietly, and only when that fails for a while does the user hear
    // of it.
    try {
        HotKeyFailed = !steps_.setLookupHotKey(state_.Hotkey);
    } catch (...) {
        HotKeyFailed = true;
    }

    state_.TrackMoves = false;
    StartupPending = !MinimizeAtStart;

    panel_.layoutPanel();
    panel_.applyOnTop(state_.OnTopActive);

    if (MinimizeAtStart) app_.postCommand(0, kCmdMinimize);
}

void FormMainCore::FinishCreation() {
    if (state_.SysTrayIcon) {
        bool added = false;
        try {
            added = steps_.addTrayIcon();
        } catch (...) {
        }
        if (added) {
            steps_.showTaskbarButton(false);
        } else {
            state_.ModalDialogOpen = true;
            guarded([&] { steps_.showMessage(kTrayIconFailed); });
            state_.ModalDialogOpen = false;
        }
    }
    guarded([&] { steps_.startReadDefinitions(); });
    guarded([&] { steps_.registerDropTarget(); });
}

void FormMainCore::FormShow() {
    guarded([&] {
        if (FirstShowPending) {
            FirstShowPending = false;
            // What cannot be seen before the panel is there comes right after it shows, ahead
            // of the first-show commands below.
            app_.postFinishCreation();
            if (state_.SettingsFileMissing) {
                app_.postCommand(kWelcomeFlow, kCmdWithWParam);
            } else if (state_.storedVersionOlder()) {
                state_.ModalDialogOpen = true;
                app_.postCommand(0, kCmdFirstStartOfVersion);
            }
            // A shortcut refused at creation is reported once its quiet retries have failed,
            // except in the welcome flow of a very first start.
            steps_.lookupHotKeyFirstShow(!state_.SettingsFileMissing);
        }
        steps_.showTaskbarButton(!state_.SysTrayIcon);
    });
}

void FormMainCore::FormActivate() {
    if (StartupPending && !app_.startupTimerRunning()) app_.startStartupTimer();
    if (!state_.NewMessagesDone && steps_.hasReceivedMessages()) steps_.showNewMessages();
}

void FormMainCore::TimerStartupTimer() {
    app_.stopStartupTimer();
    if (StartupPending) {
        state_.TrackMoves = true;
        StartupPending = false;
    }
}

void FormMainCore::ApplicationEvents1Deactivate() {
    if (state_.ModalDialogOpen) return;
    if (!state_.NewMessagesDone && steps_.hasReceivedMessages()) {
        steps_.showNewMessages();
        return;
    }
    StartupPending = false;
    state_.TrackMoves = true;
}

bool FormMainCore::FormCloseQuery() {
    if (closeDone_) return true;
    closeDone_ = true;
    guarded([&] { steps_.saveOnExit(); });
    guarded([&] {
        if (steps_.shownMessagesChanged() || state_.storedVersionOlder()) steps_.saveShownMessages();
    });
    guarded([&] {
        if (state_.SysTrayIcon) steps_.removeTrayIcon();
    });
    return true;
}

void FormMainCore::ShowPanel(bool lookup) {
    showPanel(lookup ? PanelLookup::clipboard : PanelLookup::none);
}

void FormMainCore::showPanel(PanelLookup lookup) {
    if (InstanceRequestPending && state_.ModalDialogOpen) {
        app_.liftOpenWindows();
        return;
    }
    app_.restoreApplication();
    app_.bringAllToFront();
    InstanceRequestPending = false;
    if (lookup == PanelLookup::clipboard)
        steps_.lookupClipboard();
    else if (lookup == PanelLookup::shortcutText)
        steps_.lookupShortcutText();
}

void FormMainCore::HotKey() {
    // Taken by the open settings window, which then only comes forward: as a tool window it
    // is not in the system's window switcher, and the shortcut is a way back to it.
    if (steps_.shortcutCaptured()) {
        ShowPanel(false);
        return;
    }
    showPanel(state_.ModalDialogOpen ? PanelLookup::none : PanelLookup::shortcutText);
}

intptr_t FormMainCore::UniqueProductMessage(uintptr_t wParam, intptr_t lParam,
                                            uint32_t messageNumber) {
    switch (lParam) {
    case kCmdInstanceSignal: {
        InstanceRequestPending = true;
        guarded([&] {
            if (wParam == kForwardShow) ShowPanel(false);
            else if (wParam == kForwardLookupClipboard) ShowPanel(true);
        });
        if (InstanceRequestPending) {
            InstanceRequestPending = false;
            return 0;
        }
        return static_cast<intptr_t>(messageNumber);
    }
    case kCmdFirstStartOfVersion:
        guarded([&] {
            if (!state_.SettingsPathFailed && !state_.NoInitMessage) steps_.firstStartOfVersion();
        });
        state_.ModalDialogOpen = false;
        return 0;
    case kCmdHotKeyProblem:
        guarded([&] { steps_.showHotKeyProblem(); });
        state_.ModalDialogOpen = false;
        return 0;
    case kCmdMinimize:
        guarded([&] { app_.minimizeApplication(); });
        return 0;
    case kCmdWithWParam:
        guarded([&] {
            switch (wParam) {
            case kShowNewMessages: steps_.showNewMessages(); break;
            case kOpenSettings: steps_.openSettingsWindow(); break;
            case kWelcomeFlow: steps_.welcomeFlow(); break;
            case kOpenInfoPage: steps_.openProgramInfoPage(); break;
            case kSaveSettings: steps_.saveSettings(); break;
            case kDesktopLimitsNotice:
                steps_.desktopLimitsNotice();
                break;
            default: break;
            }
        });
        return 0;
    case kCmdTrayLeftUp:
    case kCmdTrayRightUp:
    case kCmdTraySelect:
    case kCmdTrayKeySelect:
    case kCmdTrayContextMenu:
        guarded([&] { steps_.trayIconCallback(static_cast<int32_t>(lParam), wParam); });
        return 0;
    default:
        return 0; // 1 and unknown values
    }
}

} // namespace qlx

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
    for (uint32_t ms : options.delaysMs) port_.sleepMs(ms);
    StartedAutomatically = options.startedAutomatically;
    state_.NoInitMessage = options.noInitMessage;
    MinimizeAtStart = options.minimizeAtStart;

    state_.Templates = PageTemplates::defaults();
    state_.ProgramFolder = programFolder;
    state_.SettingsPathFailed = !port_.determineSettingsLocation();

    // Two panel widths in from the primary screen's right edge, at that screen's scale.
    const PanelSize size = panelOuterSize(port_.screenDpi());
    port_.setPanelBounds(port_.screenWidth() - 2 * size.width, 0, size.width, size.height);

    state_.MinimizeStart = false;
    state_.SysTrayIcon = true;
    state_.Hotkey = kDefaultHotkey;
    state_.AlwaysOnTop = true;
    state_.UseChromeFrame = false;

    port_.checkMachineAutostart();
    port_.loadSettings();
    state_.OnTopActive = state_.AlwaysOnTop;
    if (state_.MinimizeStart && StartedAutomatically) MinimizeAtStart = true;

    // A shortcut that another program holds stays the user's choice (and is saved as it was
    // read): it is retried quietly, and only when that fails for a while does the user hear
    // of it.
    try {
        HotKeyFailed = !port_.setLookupHotKey(state_.Hotkey);
    } catch (...) {
        HotKeyFailed = true;
    }

    state_.TrackMoves = false;
    StartupPending = !MinimizeAtStart;

    port_.layoutPanel();
    port_.applyOnTop(state_.OnTopActive);

    if (MinimizeAtStart) port_.postCommand(0, kCmdMinimize);
}

void FormMainCore::FinishCreation() {
    if (state_.SysTrayIcon) {
        bool added = false;
        try {
            added = port_.addTrayIcon();
        } catch (...) {
        }
        if (added) {
            port_.showTaskbarButton(false);
        } else {
            state_.ModalDialogOpen = true;
            guarded([&] { port_.showMessage(kTrayIconFailed); });
            state_.ModalDialogOpen = false;
        }
    }
    guarded([&] { port_.startReadDefinitions(); });
    guarded([&] { port_.registerDropTarget(); });
}

void FormMainCore::FormShow() {
    guarded([&] {
        if (FirstShowPending) {
            FirstShowPending = false;
            // What cannot be seen before the panel is there comes right after it shows, ahead
            // of the first-show commands below.
            port_.postFinishCreation();
            if (state_.SettingsFileMissing) {
                port_.postCommand(kWelcomeFlow, kCmdWithWParam);
            } else if (state_.storedVersionOlder()) {
                state_.ModalDialogOpen = true;
                port_.postCommand(0, kCmdFirstStartOfVersion);
            }
            // A shortcut refused at creation is reported once its quiet retries have failed,
            // except in the welcome flow of a very first start.
            port_.lookupHotKeyFirstShow(!state_.SettingsFileMissing);
        }
        port_.showTaskbarButton(!state_.SysTrayIcon);
    });
}

void FormMainCore::FormActivate() {
    if (StartupPending && !port_.startupTimerRunning()) port_.startStartupTimer();
    if (!state_.NewMessagesDone && port_.hasReceivedMessages()) port_.showNewMessages();
}

void FormMainCore::TimerStartupTimer() {
    port_.stopStartupTimer();
    if (StartupPending) {
        state_.TrackMoves = true;
        StartupPending = false;
    }
}

void FormMainCore::ApplicationEvents1Deactivate() {
    if (state_.ModalDialogOpen) return;
    if (!state_.NewMessagesDone && port_.hasReceivedMessages()) {
        port_.showNewMessages();
        return;
    }
    StartupPending = false;
    state_.TrackMoves = true;
}

bool FormMainCore::FormCloseQuery() {
    if (closeDone_) return true;
    closeDone_ = true;
    guarded([&] { port_.saveOnExit(); });
    guarded([&] {
        if (port_.shownMessagesChanged() || state_.storedVersionOlder()) port_.saveShownMessages();
    });
    guarded([&] {
        if (state_.SysTrayIcon) port_.removeTrayIcon();
    });
    return true;
}

void FormMainCore::ShowPanel(bool lookup) {
    if (InstanceRequestPending && state_.ModalDialogOpen) {
        port_.liftOpenWindows();
        return;
    }
    port_.restoreApplication();
    port_.bringAllToFront();
    InstanceRequestPending = false;
    if (lookup) port_.lookupClipboard();
}

void FormMainCore::HotKey() {
    // Taken by the open settings window, which then only comes forward: as a tool window it
    // is not in the system's window switcher, and the shortcut is a way back to it.
    if (port_.shortcutCaptured()) {
        ShowPanel(false);
        return;
    }
    ShowPanel(!state_.ModalDialogOpen);
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
            if (!state_.SettingsPathFailed && !state_.NoInitMessage) port_.firstStartOfVersion();
        });
        state_.ModalDialogOpen = false;
        return 0;
    case kCmdHotKeyProblem:
        guarded([&] { port_.showHotKeyProblem(); });
        state_.ModalDialogOpen = false;
        return 0;
    case kCmdMinimize:
        guarded([&] { port_.minimizeApplication(); });
        return 0;
    case kCmdWithWParam:
        guarded([&] {
            switch (wParam) {
            case kShowNewMessages: port_.showNewMessages(); break;
            case kOpenSettings: port_.openSettingsWindow(); break;
            case kWelcomeFlow: port_.welcomeFlow(); break;
            case kOpenInfoPage: port_.openProgramInfoPage(); break;
            case kSaveSettings: port_.saveSettings(); break;
            default: break;
            }
        });
        return 0;
    case kCmdTrayLeftUp:
    case kCmdTrayRightUp:
    case kCmdTraySelect:
    case kCmdTrayKeySelect:
    case kCmdTrayContextMenu:
        guarded([&] { port_.trayIconCallback(static_cast<int32_t>(lParam), wParam); });
        return 0;
    default:
        return 0; // 1 and unknown values
    }
}

} // namespace qlx

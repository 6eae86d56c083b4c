// The main window's life: creation, first show, internal commands and closing.
#include "app/FormMainCore.h"

#include "Text.h"

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

bool FormMainCore::storedVersionOlder() const {
    return compareBytes(StoredProgramVersion, programVersion) < 0;
}

void FormMainCore::FormCreate(const std::vector<std::string>& args,
                              const std::string& programFolder) {
    FirstShowPending = true;
    StartedAutomatically = NoInitMessage = MinimizeAtStart = HotKeyFailed = false;

    const StartOptions options = parseStartOptions(args);
    for (uint32_t ms : options.delaysMs) port_.sleepMs(ms);
    StartedAutomatically = options.startedAutomatically;
    NoInitMessage = options.noInitMessage;
    MinimizeAtStart = options.minimizeAtStart;

    Templates = PageTemplates::defaults();
    ProgramFolder = programFolder;
    SettingsPathFailed = !port_.determineSettingsLocation();

    port_.setPanelBounds(port_.screenWidth() - 2 * kPanelWidth, 0, kPanelWidth, kPanelHeight);

    MinimizeStart = false;
    SysTrayIcon = true;
    Hotkey = kDefaultHotkey;
    AlwaysOnTop = true;
    UseChromeFrame = false;

    port_.checkMachineAutostart();
    port_.loadSettings();
    OnTopActive = AlwaysOnTop;
    if (MinimizeStart && StartedAutomatically) MinimizeAtStart = true;

    // A shortcut that another program holds stays the user's choice: it is retried quietly,
    // and only when that fails for a while does the user hear of it.
    HotKeyFailed = !LookupHotKey.start(Hotkey);

    TrackMoves = false;
    StartupPending = !MinimizeAtStart;

    port_.layoutPanel();
    port_.applyOnTop(OnTopActive);

    if (MinimizeAtStart) port_.postCommand(0, kCmdMinimize);
}

void FormMainCore::FinishCreation() {
    if (SysTrayIcon) {
        bool added = false;
        try {
            added = port_.addTrayIcon();
        } catch (...) {
        }
        if (added) {
            port_.showTaskbarButton(false);
        } else {
            ModalDialogOpen = true;
            guarded([&] { port_.showMessage(kTrayIconFailed); });
            ModalDialogOpen = false;
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
            if (SettingsFileMissing) {
                port_.postCommand(kWelcomeFlow, kCmdWithWParam);
            } else if (storedVersionOlder()) {
                ModalDialogOpen = true;
                port_.postCommand(0, kCmdFirstStartOfVersion);
            }
            // A shortcut refused at creation is reported by its keeper once its quiet retries
            // have failed, except in the welcome flow of a very first start.
            LookupHotKey.firstShow(!SettingsFileMissing);
        }
        port_.showTaskbarButton(!SysTrayIcon);
    });
}

void FormMainCore::FormActivate() {
    if (StartupPending && !port_.startupTimerRunning()) port_.startStartupTimer();
    if (!NewMessagesDone && port_.hasReceivedMessages()) port_.showNewMessages();
}

void FormMainCore::TimerStartupTimer() {
    port_.stopStartupTimer();
    if (StartupPending) {
        TrackMoves = true;
        StartupPending = false;
    }
}

void FormMainCore::ApplicationEvents1Deactivate() {
    if (ModalDialogOpen) return;
    if (!NewMessagesDone && port_.hasReceivedMessages()) {
        port_.showNewMessages();
        return;
    }
    StartupPending = false;
    TrackMoves = true;
}

bool FormMainCore::FormCloseQuery() {
    if (closeDone_) return true;
    closeDone_ = true;
    guarded([&] { port_.saveOnExit(); });
    guarded([&] {
        if (port_.shownMessagesChanged() || storedVersionOlder()) port_.saveShownMessages();
    });
    guarded([&] {
        if (SysTrayIcon) port_.removeTrayIcon();
    });
    return true;
}

void FormMainCore::ShowPanel(bool lookup) {
    if (InstanceRequestPending && ModalDialogOpen) {
        port_.liftOpenWindows();
        return;
    }
    port_.restoreApplication();
    port_.bringAllToFront();
    InstanceRequestPending = false;
    if (lookup) port_.lookupClipboard();
}

void FormMainCore::HotKey() {
    if (port_.shortcutCaptured()) return;
    ShowPanel(!ModalDialogOpen);
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
            if (!SettingsPathFailed && !NoInitMessage) port_.firstStartOfVersion();
        });
        ModalDialogOpen = false;
        return 0;
    case kCmdHotKeyProblem:
        guarded([&] { port_.showHotKeyProblem(); });
        ModalDialogOpen = false;
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
        guarded([&] { port_.trayIconCallback(static_cast<int32_t>(lParam)); });
        return 0;
    default:
        return 0; // 1 and unknown values
    }
}

} // namespace qlx

// The program: every feature composed over the program state and the ports a shell hands it.
// A shell implements the ports, draws the windows and passes its events to these calls; the
// rules stay here, once for every shell.
#pragma once

#include <optional>
#include <string>

#include "app/ApplicationPort.h"
#include "app/FormMainCore.h"
#include "app/FormMainSteps.h"
#include "definitions/DefinitionsDownloadPort.h"
#include "definitions/DefinitionsExchange.h"
#include "definitions/DefinitionsRetry.h"
#include "lookup/ChromeFrame.h"
#include "lookup/DesktopLimitsNotice.h"
#include "lookup/LookupHotKeyKeeper.h"
#include "lookup/LookupInputPort.h"
#include "lookup/SearchCapture.h"
#include "lookup/ShellOpenPort.h"
#include "messages/MessageStore.h"
#include "messages/MessagesWindowOpener.h"
#include "dialogs/MessageWinPort.h"
#include "panel/PanelButtons.h"
#include "panel/PanelMenus.h"
#include "panel/PanelPort.h"
#include "panel/PanelWindowPort.h"
#include "panel/TrayIconKeeper.h"
#include "settings/Autostart.h"
#include "settings/RunListPort.h"
#include "settings/SettingsFileSystem.h"
#include "settings/SettingsReporter.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsWindowCommand.h"
#include "settings/ShortcutText.h"
#include "settings/SystemInfoPort.h"
#include "state/ProgramState.h"

namespace qlx {

// Where the settings live: the Windows rule (the user's application data, an administrator's
// file beside the program) or the XDG base directories of a Linux desktop.
enum class SettingsPlaces { besideProgram, xdg };

// What a shell hands the program: each port is a small part of the system, named after what
// the program needs of it.
struct ShellPorts {
    ApplicationPort& application;
    PanelWindowPort& panelWindow;
    PanelPort& panel;                 // the button display and moving by hand
    TrayIconPort& trayIcon;
    MessageWinPort& dialogs;          // the program's own message dialog
    ShellOpenPort& pages;             // opening pages in the browser
    LookupInputPort& lookupInputs;    // the clipboard, dropped text, text from other programs
    LookupHotKeyPort& hotKey;         // the global lookup shortcut
    DefinitionsDownloadPort& definitions;
    MessagesWindowOpener& messagesWindow;
    SettingsWindowFactory& settingsWindow;
    WelcomeWindowPort& welcomeWindow;
    ChromeFrameRegistryPort& chromeFrame;
    SettingsFileSystem& settingsFiles;
    SystemInfoPort& system;
    RunListPort& runLists;            // the automatic start
    KeyNameSource keyNames;           // the keyboard layout's key names
    std::string programFile;          // the program's own file, for its autostart entry
    SettingsPlaces settingsPlaces = SettingsPlaces::besideProgram;
    // Settings only some desktops have, with their defaults; none: the key is neither read
    // nor written.
    std::optional<bool> lookupSelection;      // the shortcut looks up the selection first
    std::optional<bool> desktopLimitsNoticed; // the desktop's limits were explained once
};

class Program final : private FormMainSteps {
public:
    explicit Program(const ShellPorts& ports);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    ProgramState& state() { return state_; }
    FormMainCore& core() { return core_; }
    PanelButtons& buttons() { return buttons_; }
    PanelMenus& menus() { return menus_; }
    TrayIconKeeper& trayIcon() { return trayIcon_; }
    LookupHotKeyKeeper& hotKeys() { return hotKeys_; }
    MessageStore& messages() { return messageStore_; }
    SettingsStore& settings() { return settingsStore_; }
    Autostart& autostart() { return autostart_; }
    SettingsWindowCommand& settingsWindow() { return settingsWindow_; }
    const DefinitionsRetry& definitionsRetry() const { return definitionsRetry_; }
    // The settings came from the administrator's redirect.
    bool sharedSettingsUsed() const { return sharedSettingsUsed_; }

    // The ways in to a lookup: dropped text and text other programs send.
    SearchCapture lookups();
    void lookupClipboard() override;
    void lookupShortcutText() override;
    // The desktop's shortcut service (the portal's global shortcuts) answered: whether it took
    // the lookup shortcut. Without the service the shell answers false at once.
    void shortcutServiceAnswered(bool bound);
    // The panel's open button: the bare lookup page, then the buttons go.
    void imageOpenClick();
    // The program's information page from a menu, then the buttons go.
    void openProgramInfoPage() override;
    // "Afslut": saves once and ends the program.
    void terminate();
    // The shortcut problem message; the hint (start-up) points to the settings window.
    void showHotKeyProblem(bool withHint);

    // The definitions download: started at creation and by its retry timer; the worker's
    // result on the GUI thread (in document order, also replacements found before an error).
    void startReadDefinitions(bool reportErrors);
    void definitionsRetryTimer();
    void definitionsDone(DefinitionsDownload& download, bool reportErrors,
                         const DefinitionsServer& server);

    // The panel's bounds while it is neither minimised nor maximised, which a maximised panel
    // is stored with: moves count once the start-up is over, a restored size always.
    void panelMoved(const Dimension& bounds);
    void panelRestored(const Dimension& bounds);

private:
    // What the features ask of each other and of the panel.
    class Links final : public SearchCapturePort,
                        public TextDragPort,
                        public MessageStorePort,
                        public SettingsWindowPort,
                        public PanelMenusPort,
                        public WelcomePort,
                        public SettingsReporter {
    public:
        explicit Links(Program& program) : p_(program) {}
        void restoreApplication() override;
        void bringAllToFront() override;
        void showPanel() override;
        bool hasReceivedMessages() override;
        void showNewMessages() override;
        void textDragOver() override;
        void textDragEnded() override;
        bool textDragOverPanel() override;
        void runMessagesWindow(int32_t index) override;
        void applyOnTop(bool onTop) override;
        void setSaveTimer(bool enabled) override;
        std::unique_ptr<SettingsWindowHandle> createSettingsWindow() override;
        void requestButtons(bool show) override;
        void addTrayIcon() override;
        void removeTrayIcon() override;
        void showTaskbarButton(bool show) override;
        LookupHotKeyKeeper& lookupHotKey() override;
        void onTopSettingApplied(bool alwaysOnTop) override;
        void allowChromeFrameUrls() override;
        void postCommand(uint16_t wParam, int32_t lParam) override;
        void hidePanel() override;
        void setOnTopCheckMarks(bool checked) override;
        void openTrayMenuAtCursor() override;
        void openTrayMenuAt(int32_t x, int32_t y) override;
        void menuItemSettingsClick(int senderTag) override;
        void menuItemProgramWebClick() override;
        void menuItemTerminateClick() override;
        Dimension panelBounds() override;
        int32_t showWelcomeWindow(const Dimension& panel) override;
        void showMessage(const std::string& text, const std::string& caption,
                         SettingsMessageKind kind, bool ownedByMainWindow) override;

    private:
        Program& p_;
    };

    // The main window's steps (FormMainSteps).
    void showMessage(const std::string& text) override;
    void showTaskbarButton(bool show) override;
    bool determineSettingsLocation() override;
    void checkMachineAutostart() override;
    void loadSettings() override;
    bool setLookupHotKey(uint16_t hotkey) override;
    void lookupHotKeyFirstShow(bool problemMessageAllowed) override;
    bool addTrayIcon() override;
    void removeTrayIcon() override;
    void startReadDefinitions() override;
    void registerDropTarget() override;
    void firstStartOfVersion() override;
    void showHotKeyProblem() override;
    bool hasReceivedMessages() override;
    void showNewMessages() override;
    void openSettingsWindow() override;
    bool shortcutCaptured() override;
    void welcomeFlow() override;
    void saveSettings() override;
    void saveOnExit() override;
    void saveShownMessages() override;
    bool shownMessagesChanged() override;
    void trayIconCallback(int32_t lParam, uintptr_t wParam) override;

    SettingsValues currentSettingsValues();
    void desktopLimitsNotice() override;
    // Posts the desktop's notice once everything it waits for is known.
    void desktopLimitsNoticeStep();

    ShellPorts ports_;
    ProgramState state_;
    Links links_{*this};
    FormMainCore core_{state_, ports_.application, ports_.panelWindow, *this};
    PanelButtons buttons_{ports_.panel, state_.ModalDialogOpen};
    PanelMenus menus_{links_, {state_.OnTopActive, state_.ModalDialogOpen, state_.SysTrayIcon}};
    TrayIconKeeper trayIcon_{ports_.trayIcon};
    LookupHotKeyKeeper hotKeys_{ports_.hotKey, state_.ModalDialogOpen};
    SettingsStore settingsStore_{ports_.settingsFiles, links_, ports_.keyNames};
    Autostart autostart_{ports_.runLists, links_, ports_.programFile};
    MessageStore messageStore_{links_, state_, settingsStore_, ports_.dialogs};
    SettingsWindowCommand settingsWindow_{state_, autostart_, links_, ports_.dialogs};
    DefinitionsRetry definitionsRetry_;
    std::optional<DefinitionsServer> server_;
    bool sharedSettingsUsed_ = false;
    Dimension normalBounds_;
    StoredPanelPosition loadedPosition_; // kept where the desktop places the panel itself
    DesktopLimitsNotice desktopNotice_;
};

} // namespace qlx

// TFormMain: the floating panel and owner of the program's state. It translates window
// messages into calls of the main window's logic and carries out what that logic asks for.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "app/FormMainCore.h"
#include "app/FormMainPort.h"
#include "definitions/DefinitionsRetry.h"
#include "definitions/ReceivedMessage.h"
#include "messages/MessageStore.h"
#include "win32/definitions/ReadDefinitionsThread.h"
#include "win32/system/ShellOpen.h"
#include "win32/system/DdeServer.h"
#include "win32/controls/TextDropTarget.h"
#include "lookup/SearchCapture.h"
#include "win32/system/WinFileSystem.h"
#include "win32/system/WinKeyNames.h"
#include "win32/system/WinRunList.h"
#include "win32/system/WinSystemInfo.h"
#include "panel/Placement.h"
#include "settings/Autostart.h"
#include "settings/SettingsStore.h"
#include "panel/MessageWinPort.h"
#include "win32/panel/PanelPainter.h"
#include "win32/panel/PanelPopupMenus.h"
#include "win32/settings/SettingsWindowOnPanel.h"
#include "panel/PanelButtons.h"
#include "panel/PanelLayout.h"
#include "panel/PanelMenus.h"

namespace qlx::win {

class TFormMain final : public FormMainPort {
public:
    static TFormMain* instance() { return instance_; }

    // Creates the window and runs the creation sequence; false when the window failed.
    bool create(HINSTANCE module, int showCommand);
    HWND handle() const { return hwnd_; }
    FormMainCore& core() { return core_; }

    // "Afslut": saves once and ends the program.
    void MenuItemTerminateClick();

    // FormMainPort
    void restoreApplication() override;
    void bringAllToFront() override;
    void liftOpenWindows() override;
    void minimizeApplication() override;
    void showTaskbarButton(bool show) override;
    void postCommand(uint16_t wParam, int32_t lParam) override;
    void postFinishCreation() override;
    void sleepMs(uint32_t ms) override;
    void startStartupTimer() override;
    void stopStartupTimer() override;
    bool startupTimerRunning() override { return startupTimerOn_; }
    void setPanelBounds(int left, int top, int width, int height) override;
    int screenWidth() override;
    void showMessage(const std::string& text) override;
    void layoutPanel() override;
    void openSettingsWindow() override { settingsWindow_.MenuItemSettingsClick(0); }
    bool shortcutCaptured() override { return settingsWindow_.HotKeyPressed(); }

    // Each feature of the panel keeps its members, port overrides and message handling in a
    // section of its own below and in its own source file (FormMain<Feature>.cpp). A feature's
    // message hook returns true when it has handled the message and set the result.

    // ---- Dialogs and pages (FormMainDialogs.cpp): message dialog, work area, opening pages.
    bool dialogsMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The shell's open action and the program's message dialog, for every feature.
    ShellOpenPort& shellPort();
    MessageWinPort& messagePort() { return messages_; }
    // The panel's open button: the bare lookup page, then the buttons go.
    void imageOpenClick();
    void openProgramInfoPage() override;
    // The first start: the welcome window, then the chosen mode's information page.
    void welcomeFlow() override;
    // The message dialog with the panel as owner keeps the panel out of the topmost band
    // and marks it busy while open.
    class PanelMessages final : public MessageWinPort {
    public:
        explicit PanelMessages(TFormMain& form) : form_(form) {}
        int32_t MessageWin(DialogOwner owner, const std::string& text, const std::string& caption,
                           TMsgDlgType type, int32_t buttonSet) override;

    private:
        TFormMain& form_;
    };
    ShellOpen shellOpen_;
    PanelMessages messages_{*this};

    // ---- Lookup (FormMainLookup.cpp): shortcut, clipboard, DDE, text drop.
    bool lookupMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The lookup shortcut's registration, retry timer and tip (LookupHotKeyPort).
    bool registerLookupHotKey(uint16_t shortcut) override;
    void unregisterLookupHotKey() override;
    uint64_t clockMs() override;
    void startHotKeyTimer(uint32_t periodMs) override;
    void stopHotKeyTimer() override;
    std::string shortcutText(uint16_t shortcut) override;
    void trayTipChanged(const std::string& tip) override;
    void postHotKeyProblem() override;
    void showHotKeyProblem() override { ShowHotKeyProblem(true); }
    // The shortcut problem message; the hint (start-up) points to the settings window.
    void ShowHotKeyProblem(bool withHint);
    void lookupClipboard() override;
    // The text drop target and the DDE server, at the end of creation.
    void registerDropTarget() override;
    // The ways in to a lookup, over this window's state and ports.
    SearchCapture searchCapture();

private:
    class TextDragMark final : public TextDragPort {
    public:
        explicit TextDragMark(TFormMain& form) : form_(form) {}
        void textDragOver() override { form_.textDragOver(); }
        void textDragEnded() override { form_.textDragEnded(); }

    private:
        TFormMain& form_;
    };
    TextDragMark textDragMark_{*this};
    std::unique_ptr<TTextDropTarget> textDropTarget_;
    DdeServer ddeServer_;

public:

    // ---- Panel (FormMainPanel.cpp): controls, painting, buttons, moving, tray icon, menus.
    bool panelMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Shows (true) or hides the move handle and the two buttons after the display delay.
    void requestButtons(bool show);
    // A text drag is over the panel / has left it or was dropped.
    void textDragOver();
    void textDragEnded();
    void applyOnTop(bool onTop) override;
    bool addTrayIcon() override;
    void removeTrayIcon() override;
    void trayIconCallback(int32_t lParam) override;
    // The stored always-on-top preference takes over (the settings window closed with OK):
    // the flag, both check marks and the band.
    void onTopSettingApplied(bool alwaysOnTop);

private:
    // The panel window as the button display and the hand moving see it.
    class PanelWindow final : public PanelPort {
    public:
        explicit PanelWindow(TFormMain& form) : form_(form) {}
        void startTimer(PanelTimer timer, uint32_t intervalMs) override;
        void stopTimer(PanelTimer timer) override;
        void showButtons(bool shown) override;
        void setCursor(PanelCursor cursor) override;
        Dimension panelBounds() override;
        void movePanelTo(int32_t left, int32_t top) override;
        std::optional<WorkArea> workArea() override;
        int32_t screenWidth() override;
        int32_t screenHeight() override;

    private:
        TFormMain& form_;
    };
    // What the two menus and the tray icon's callbacks do to the program.
    class PanelCommands final : public PanelMenusPort {
    public:
        explicit PanelCommands(TFormMain& form) : form_(form) {}
        void showPanel() override;
        void hidePanel() override;
        void applyOnTop(bool onTop) override;
        void setOnTopCheckMarks(bool checked) override;
        void openTrayMenuAtCursor() override;
        void showTaskbarButton(bool show) override;
        void menuItemSettingsClick(int senderTag) override;
        void menuItemProgramWebClick() override;
        void menuItemTerminateClick() override;

    private:
        TFormMain& form_;
    };
    void PaintBoxMoveHandlePaint();
    void ImageMenuClick();
    void openPopupMenu(HMENU menu, POINT screenPoint);
    bool panelMouse(UINT msg, WPARAM wParam, LPARAM lParam);
    PanelWindow panelWindow_{*this};
    PanelCommands panelCommands_{*this};
    PanelButtons buttons_{panelWindow_, core_.ModalDialogOpen};
    PanelMenus menus_{panelCommands_, {core_.OnTopActive, core_.ModalDialogOpen, core_.SysTrayIcon}};
    PanelPainter painter_;
    PanelPopupMenus popupMenus_;
    // The button image a left press went to; its click comes with the release over it.
    std::optional<PanelControl> pressedButton_;
    HCURSOR panelCursor_ = LoadCursorW(nullptr, IDC_ARROW);

public:

    // ---- Settings (FormMainSettings.cpp): settings file, registry, position.
    bool settingsMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool determineSettingsLocation() override;
    void checkMachineAutostart() override;
    void loadSettings() override;
    void firstStartOfVersion() override;
    void saveSettings() override;
    void saveOnExit() override;
    // The settings file (its path, saves, backup, whole-section rewrites) and the automatic
    // start's state, for the settings window and the shown messages.
    SettingsStore& settingsStore() { return settingsStore_; }
    Autostart& autostart() { return autostart_; }
    bool SharedSettingsUsed = false;
    // The panel's last bounds while it was neither minimised nor maximised.
    Dimension NormalBounds;

private:
    class SettingsMessages final : public SettingsReporter {
    public:
        explicit SettingsMessages(TFormMain& form) : form_(form) {}
        void showMessage(const std::string& text, const std::string& caption,
                         SettingsMessageKind kind, bool ownedByMainWindow) override;

    private:
        TFormMain& form_;
    };
    static std::string programFilePath();
    SettingsValues currentSettingsValues();
    WinFileSystem settingsFiles_;
    WinSystemInfo systemInfo_;
    WinRunList runLists_;
    SettingsMessages settingsMessages_{*this};
    SettingsStore settingsStore_{settingsFiles_, settingsMessages_, layoutKeyName};
    Autostart autostart_{runLists_, settingsMessages_, programFilePath()};

public:

    // ---- Definitions (FormMainDefinitions.cpp): the download thread and its completion.
    bool definitionsMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void startReadDefinitions() override { StartReadDefinitions(false); }
    void StartReadDefinitions(bool reportErrors);
    void TimerReadDefinitionsTimer();
    // The completion step of every download, on the GUI thread while its worker waits.
    void ReadDefinitionsDone(TReadDefinitionsThread& thread);
    const DefinitionsRetry& definitionsRetry() const { return readDefinitions_; }

private:
    DefinitionsRetry readDefinitions_;

public:

    // ---- Messages (FormMainMessages.cpp): the news messages, their shown state and window.
    bool messagesMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool hasReceivedMessages() override { return messageStore_.hasReceived(); }
    void showNewMessages() override { messageStore_.ShowNewMessages(); }
    void saveShownMessages() override { messageStore_.SaveShownMessages(); }
    bool shownMessagesChanged() override { return messageStore_.ShownMessagesChanged; }
    // The received messages (those of the successful download) and the shown timestamps.
    MessageStore& messageStore() { return messageStore_; }

private:
    class MessagesOnPanel final : public MessageStorePort {
    public:
        explicit MessagesOnPanel(TFormMain& form) : form_(form) {}
        bool textDragOverPanel() override;
        void runMessagesWindow(int32_t index) override;
        void applyOnTop(bool onTop) override { form_.applyOnTop(onTop); }
        void setSaveTimer(bool enabled) override;

    private:
        TFormMain& form_;
    };
    MessagesOnPanel messagesOnPanel_{*this};
    MessageStore messageStore_{messagesOnPanel_, core_, settingsStore_, messages_};

public:

private:
    static LRESULT CALLBACK windowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void paint();

    static TFormMain* instance_;
    HWND hwnd_ = nullptr;
    FormMainCore core_{*this};
    bool startupTimerOn_ = false;
    HBRUSH panelBrush_ = nullptr;
    // The settings window's opener, with the window's own state; after core_ and autostart_.
    SettingsWindowOnPanel settingsWindow_{*this};
    // Where the program put the panel at its first show. Some X window managers place a new
    // window themselves; until the user first presses a button on the panel, or for a few
    // seconds, such a move is undone.
    RECT startPlace_{};
    bool keepStartPlace_ = false;
};

} // namespace qlx::win

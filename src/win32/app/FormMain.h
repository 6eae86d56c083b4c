// TFormMain: the floating panel and owner of the program's state. It translates window
// messages into calls of the main window's logic and hands the steps that logic asks for to
// the features' sides of the window.
#pragma once

#include <windows.h>

#include "app/FormMainCore.h"
#include "app/FormMainSteps.h"
#include "state/ProgramState.h"
#include "win32/definitions/FormMainDefinitions.h"
#include "win32/lookup/FormMainLookup.h"
#include "win32/messages/FormMainMessages.h"
#include "win32/panel/FormMainDialogs.h"
#include "win32/panel/FormMainPanel.h"
#include "win32/settings/FormMainSettings.h"
#include "win32/settings/SettingsWindowOnPanel.h"

namespace qlx::win {

class TFormMain final : public FormMainPort {
public:
    static TFormMain* instance() { return instance_; }

    // Creates the window and runs the creation sequence; false when the window failed.
    bool create(HINSTANCE module, int showCommand);
    HWND handle() const { return hwnd_; }
    FormMainCore& core() { return core_; }
    ProgramState& state() { return state_; }

    // "Afslut": saves once and ends the program.
    void MenuItemTerminateClick();

    // The features' sides of the window. Each keeps its members and message handling in its
    // own files beside its feature; a feature's message hook returns true when it has handled
    // the message and set the result.
    FormMainDialogs& dialogs() { return dialogs_; }
    FormMainPanel& panel() { return panel_; }
    FormMainLookup& lookup() { return lookup_; }
    FormMainSettings& settings() { return settings_; }
    FormMainMessages& messages() { return messages_; }
    FormMainDefinitions& definitions() { return definitions_; }
    SettingsWindowOnPanel& settingsWindow() { return settingsWindow_; }

    // FormMainPort: the window and the application.
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
    int screenDpi() override;
    void showMessage(const std::string& text) override;

    // FormMainPort: the feature steps, each carried out by its feature.
    bool determineSettingsLocation() override { return settings_.determineSettingsLocation(); }
    void checkMachineAutostart() override { settings_.checkMachineAutostart(); }
    void loadSettings() override { settings_.loadSettings(); }
    bool setLookupHotKey(uint16_t hotkey) override { return lookup_.hotKeys().start(hotkey); }
    void lookupHotKeyFirstShow(bool allowed) override { lookup_.hotKeys().firstShow(allowed); }
    bool addTrayIcon() override { return panel_.addTrayIcon(); }
    void removeTrayIcon() override { panel_.removeTrayIcon(); }
    void startReadDefinitions() override { definitions_.StartReadDefinitions(false); }
    void layoutPanel() override { panel_.layoutPanel(); }
    void applyOnTop(bool onTop) override { panel_.applyOnTop(onTop); }
    void registerDropTarget() override { lookup_.registerDropTarget(); }
    void firstStartOfVersion() override { settings_.firstStartOfVersion(); }
    void showHotKeyProblem() override { lookup_.ShowHotKeyProblem(true); }
    void lookupClipboard() override { lookup_.lookupClipboard(); }
    bool hasReceivedMessages() override { return messages_.store().hasReceived(); }
    void showNewMessages() override { messages_.store().ShowNewMessages(); }
    void openSettingsWindow() override { settingsWindow_.MenuItemSettingsClick(0); }
    bool shortcutCaptured() override { return settingsWindow_.HotKeyPressed(); }
    void welcomeFlow() override { dialogs_.welcomeFlow(); }
    void openProgramInfoPage() override { dialogs_.openProgramInfoPage(); }
    void saveSettings() override { settings_.saveSettings(); }
    void saveOnExit() override { settings_.saveOnExit(); }
    void saveShownMessages() override { messages_.store().SaveShownMessages(); }
    bool shownMessagesChanged() override { return messages_.store().ShownMessagesChanged; }
    void trayIconCallback(int32_t lParam, uintptr_t wParam) override {
        panel_.trayIconCallback(lParam, wParam);
    }

private:
    static LRESULT CALLBACK windowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void paint();

    static TFormMain* instance_;
    // First: the features below hold references into it.
    ProgramState state_;
    HWND hwnd_ = nullptr;
    FormMainCore core_{state_, *this};
    bool startupTimerOn_ = false;
    HBRUSH panelBrush_ = nullptr;
    // In the order they need each other: the messages use the settings file and the dialogs,
    // the settings window's opener the automatic start.
    FormMainDialogs dialogs_{*this};
    FormMainPanel panel_{*this};
    FormMainLookup lookup_{*this};
    FormMainSettings settings_{*this};
    FormMainMessages messages_{*this};
    FormMainDefinitions definitions_{*this};
    SettingsWindowOnPanel settingsWindow_{*this};
    // Where the program put the panel at its first show. Some X window managers place a new
    // window themselves; until the user first presses a button on the panel, or for a few
    // seconds, such a move is undone.
    RECT startPlace_{};
    bool keepStartPlace_ = false;
};

} // namespace qlx::win

// What the main window's logic asks of the window layer. The Windows shell implements it;
// unit tests use a recording fake. Steps that later features fill in have do-nothing
// defaults so the shell can grow one feature at a time.
#pragma once

#include <cstdint>
#include <string>

namespace qlx {

class FormMainPort {
public:
    virtual ~FormMainPort() = default;

    // Application and windows.
    virtual void restoreApplication() = 0;
    // The main window to the foreground, then every other visible window of the program,
    // last opened last.
    virtual void bringAllToFront() = 0;
    // Every visible window of the program but the main window: topmost and straight back,
    // without moving, sizing or activating it.
    virtual void liftOpenWindows() = 0;
    virtual void minimizeApplication() = 0;
    virtual void showTaskbarButton(bool show) = 0;
    virtual void postCommand(uint16_t wParam, int32_t lParam) = 0;
    // Runs FormMainCore::FinishCreation in the message loop's next turn.
    virtual void postFinishCreation() = 0;
    virtual void sleepMs(uint32_t ms) = 0;
    virtual void startStartupTimer() = 0;
    virtual void stopStartupTimer() = 0;
    virtual bool startupTimerRunning() = 0;
    virtual void setPanelBounds(int left, int top, int width, int height) = 0;
    virtual int screenWidth() = 0;
    // The DPI of the primary screen, where the panel is created.
    virtual int screenDpi() { return 96; }
    // The program's own message dialog (single OK, warning), modal.
    virtual void showMessage(const std::string& text) = 0;

    // Feature steps.
    virtual bool determineSettingsLocation() { return true; } // false: the location failed
    virtual void checkMachineAutostart() {}
    virtual void loadSettings() {}
    // Registers the lookup shortcut at creation; a refused one stays chosen and is retried
    // quietly. True when it is registered now.
    virtual bool setLookupHotKey(uint16_t /*hotkey*/) { return true; }
    // The first show: whether the shortcut's problem message may come once its quiet
    // retries have failed (not in the welcome flow of a very first start).
    virtual void lookupHotKeyFirstShow(bool /*problemMessageAllowed*/) {}
    // The notification-area icon is wanted: false when adding it raised an error (reported
    // then); one the shell refuses is asked for again quietly, with the taskbar button kept.
    virtual bool addTrayIcon() { return true; }
    virtual void removeTrayIcon() {}
    virtual void startReadDefinitions() {}
    virtual void layoutPanel() {}
    virtual void applyOnTop(bool /*onTop*/) {}
    virtual void registerDropTarget() {}
    virtual void firstStartOfVersion() {} // the autostart step of a new version
    virtual void showHotKeyProblem() {}
    virtual void lookupClipboard() {}
    virtual bool hasReceivedMessages() { return false; }
    virtual void showNewMessages() {}
    virtual void openSettingsWindow() {}
    // The shortcut was pressed while a window takes it for itself (the settings window puts
    // it into its shortcut field): true then, and no lookup follows.
    virtual bool shortcutCaptured() { return false; }
    virtual void welcomeFlow() {}
    virtual void openProgramInfoPage() {}
    virtual void saveSettings() {}
    virtual void saveOnExit() {}
    virtual void saveShownMessages() {}
    virtual bool shownMessagesChanged() { return false; }
    // The notification-area icon's mouse callbacks (514 left button up, 517 right button up).
    virtual void trayIconCallback(int32_t /*lParam*/, uintptr_t /*wParam*/) {}
};

} // namespace qlx

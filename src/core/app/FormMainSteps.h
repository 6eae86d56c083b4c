// The steps the main window's logic asks of the features (the program composes them and
// carries them out); unit tests use a recording fake.
#pragma once

#include <cstdint>
#include <string>

namespace qlx {

class FormMainSteps {
public:
    virtual ~FormMainSteps() = default;

    // The program's own message dialog (single OK, warning), modal.
    virtual void showMessage(const std::string& text) = 0;
    // While the icon is wanted but missing, the taskbar button stays as the way back.
    virtual void showTaskbarButton(bool /*show*/) {}

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
    virtual void registerDropTarget() {}
    virtual void firstStartOfVersion() {} // the autostart step of a new version
    virtual void showHotKeyProblem() {}
    virtual void lookupClipboard() {}
    // The shortcut's lookup: the clipboard, or first the selection where the desktop has one.
    virtual void lookupShortcutText() { lookupClipboard(); }
    virtual bool hasReceivedMessages() { return false; }
    virtual void showNewMessages() {}
    virtual void openSettingsWindow() {}
    // The shortcut was pressed while a window takes it for itself (the settings window puts
    // it into its shortcut field): true then, and no lookup follows.
    virtual bool shortcutCaptured() { return false; }
    virtual void welcomeFlow() {}
    virtual void openProgramInfoPage() {}
    // The one notice about what the desktop forbids (a key for the whole desktop, placing
    // the panel) and what to do instead.
    virtual void desktopLimitsNotice() {}
    virtual void saveSettings() {}
    virtual void saveOnExit() {}
    virtual void saveShownMessages() {}
    virtual bool shownMessagesChanged() { return false; }
    // The notification-area icon's mouse callbacks (514 left button up, 517 right button up).
    virtual void trayIconCallback(int32_t /*lParam*/, uintptr_t /*wParam*/) {}
};

} // namespace qlx

// "Indstillinger" in either menu: opens the settings window filled from the main window's
// settings and, when it is confirmed, applies the changes at once in a fixed order and has
// them saved. While the window is open the lookup shortcut goes into its shortcut field.
#pragma once

#include <cstdint>
#include <memory>

#include "forms/SettingsForm.h"
#include "lookup/LookupHotKeyKeeper.h"
#include "settings/Autostart.h"
#include "state/ProgramState.h"

namespace qlx {

// The settings window while it exists: its logic, and the modal run. Destroying it destroys
// the window.
class SettingsWindowHandle {
public:
    virtual ~SettingsWindowHandle() = default;
    virtual TFormSettings& form() = 0;
    // Shows it modally (centred on the panel) and returns its modal result.
    virtual int32_t showModal() = 0;
};

// Builds the hidden settings window (its FormCreate has run); throws when it cannot.
class SettingsWindowFactory {
public:
    virtual ~SettingsWindowFactory() = default;
    virtual std::unique_ptr<SettingsWindowHandle> createSettingsWindow() = 0;
};

// What opening and confirming the window needs of the main window.
class SettingsWindowPort {
public:
    virtual ~SettingsWindowPort() = default;
    // Builds the hidden window (its FormCreate has run); throws when it cannot.
    virtual std::unique_ptr<SettingsWindowHandle> createSettingsWindow() = 0;
    // The panel and the program's windows come forward (ShowPanel without the lookup).
    virtual void showPanel() = 0;
    virtual void applyOnTop(bool onTop) = 0;
    virtual void requestButtons(bool show) = 0;
    virtual void addTrayIcon() = 0;
    virtual void removeTrayIcon() = 0;
    virtual void showTaskbarButton(bool show) = 0;
    // The lookup shortcut's registration, kept up while another program holds it.
    virtual LookupHotKeyKeeper& lookupHotKey() = 0;
    // The always-on-top setting takes over: OnTopActive, both menu check marks, the band.
    virtual void onTopSettingApplied(bool alwaysOnTop) = 0;
    virtual void allowChromeFrameUrls() = 0;
    virtual void postCommand(uint16_t wParam, int32_t lParam) = 0;
};

class SettingsWindowCommand {
public:
    // messages: the program's message dialog, for the shortcut problem.
    SettingsWindowCommand(ProgramState& state, Autostart& autostart, SettingsWindowPort& port,
                          MessageWinPort& messages)
        : state_(state), autostart_(autostart), port_(port), messages_(messages) {}

    // True while the window is open; the shortcut then goes into its field.
    bool SettingsWindowOpen = false;

    // senderTag: the menu entry's tag (the tray menu's entries bring the panel forward
    // first); the internal command passes 0.
    void MenuItemSettingsClick(int senderTag);
    // The lookup shortcut was pressed: true when the open window takes it (into its field,
    // when the window is visible) and no lookup is to happen.
    bool HotKeyPressed();

private:
    void fill(TFormSettings& form);
    void applyConfirmed(TFormSettings& form);

    ProgramState& state_;
    Autostart& autostart_;
    SettingsWindowPort& port_;
    MessageWinPort& messages_;
    std::unique_ptr<SettingsWindowHandle> window_;
};

} // namespace qlx

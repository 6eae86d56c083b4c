// The main window's settings: the settings file (its path, saves, backup, whole-section
// rewrites), the registry's automatic start and the panel's stored position.
#pragma once

#include <windows.h>

#include <string>

#include "win32/settings/SettingsMessages.h"
#include "win32/system/WinFileSystem.h"
#include "win32/system/WinRunList.h"
#include "win32/system/WinSystemInfo.h"
#include "panel/Placement.h"
#include "settings/Autostart.h"
#include "settings/SettingsStore.h"

namespace qlx::win {

class TFormMain;

class FormMainSettings {
public:
    explicit FormMainSettings(TFormMain& form);

    // Remembers the panel's bounds from its moves and sizes; never handles a message itself.
    bool message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // The creation sequence's settings steps; false: no settings location.
    bool determineSettingsLocation();
    void checkMachineAutostart();
    void loadSettings();
    void firstStartOfVersion();
    void saveSettings();
    void saveOnExit();

    // For the settings window and the shown messages.
    SettingsStore& store() { return settingsStore_; }
    Autostart& autostart() { return autostart_; }
    bool SharedSettingsUsed = false;
    // The panel's last bounds while it was neither minimised nor maximised.
    Dimension NormalBounds;

private:
    static std::string programFilePath();
    SettingsValues currentSettingsValues();

    TFormMain& form_;
    WinFileSystem settingsFiles_;
    WinSystemInfo systemInfo_;
    WinRunList runLists_;
    SettingsMessages settingsMessages_;
    SettingsStore settingsStore_;
    Autostart autostart_;
};

} // namespace qlx::win

// Copies between the program state's settings and the settings file's values.
#include "settings/FormMainSettings.h"

namespace qlx {

void settingsFromFormMain(const ProgramState& state, SettingsValues& values) {
    values.MinimizeStart = state.MinimizeStart;
    values.SysTrayIcon = state.SysTrayIcon;
    values.Hotkey = state.Hotkey;
    values.AlwaysOnTop = state.AlwaysOnTop;
    values.OnTopActive = state.OnTopActive;
    values.UseChromeFrame = state.UseChromeFrame;
    values.LookupSelection = state.LookupSelection;
    values.DesktopLimitsNoticed = state.DesktopLimitsNoticed;
    values.StoredProgramVersion = state.StoredProgramVersion;
    values.SettingsFileMissing = state.SettingsFileMissing;
    values.ProgramPageModern = state.Templates.ProgramPageModern;
    values.ProgramPageGCF = state.Templates.ProgramPageGCF;
    values.LookupModern = state.Templates.LookupModern;
    values.LookupGCF = state.Templates.LookupGCF;
}

void settingsToFormMain(const SettingsValues& values, ProgramState& state) {
    state.MinimizeStart = values.MinimizeStart;
    state.SysTrayIcon = values.SysTrayIcon;
    state.Hotkey = values.Hotkey;
    state.AlwaysOnTop = values.AlwaysOnTop;
    state.OnTopActive = values.OnTopActive;
    state.UseChromeFrame = values.UseChromeFrame;
    state.LookupSelection = values.LookupSelection;
    state.DesktopLimitsNoticed = values.DesktopLimitsNoticed;
    state.StoredProgramVersion = values.StoredProgramVersion;
    state.SettingsFileMissing = values.SettingsFileMissing;
    state.Templates.ProgramPageModern = values.ProgramPageModern;
    state.Templates.ProgramPageGCF = values.ProgramPageGCF;
    state.Templates.LookupModern = values.LookupModern;
    state.Templates.LookupGCF = values.LookupGCF;
}

} // namespace qlx

// Copies between the program state's settings and the settings file's values.
#include "settings/FormMainSettings.h"

namespace qlx {

void settingsFromFormMain(const ProgramState& form, SettingsValues& values) {
    values.MinimizeStart = form.MinimizeStart;
    values.SysTrayIcon = form.SysTrayIcon;
    values.Hotkey = form.Hotkey;
    values.AlwaysOnTop = form.AlwaysOnTop;
    values.OnTopActive = form.OnTopActive;
    values.UseChromeFrame = form.UseChromeFrame;
    values.StoredProgramVersion = form.StoredProgramVersion;
    values.SettingsFileMissing = form.SettingsFileMissing;
    values.ProgramPageModern = form.Templates.ProgramPageModern;
    values.ProgramPageGCF = form.Templates.ProgramPageGCF;
    values.LookupModern = form.Templates.LookupModern;
    values.LookupGCF = form.Templates.LookupGCF;
}

void settingsToFormMain(const SettingsValues& values, ProgramState& form) {
    form.MinimizeStart = values.MinimizeStart;
    form.SysTrayIcon = values.SysTrayIcon;
    form.Hotkey = values.Hotkey;
    form.AlwaysOnTop = values.AlwaysOnTop;
    form.OnTopActive = values.OnTopActive;
    form.UseChromeFrame = values.UseChromeFrame;
    form.StoredProgramVersion = values.StoredProgramVersion;
    form.SettingsFileMissing = values.SettingsFileMissing;
    form.Templates.ProgramPageModern = values.ProgramPageModern;
    form.Templates.ProgramPageGCF = values.ProgramPageGCF;
    form.Templates.LookupModern = values.LookupModern;
    form.Templates.LookupGCF = values.LookupGCF;
}

} // namespace qlx

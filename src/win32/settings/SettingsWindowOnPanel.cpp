// The settings window's opener on the main window.
#include "win32/settings/SettingsWindowOnPanel.h"

#include <stdexcept>

#include "win32/app/FormMain.h"
#include "win32/forms/FormSettings.h"
#include "win32/system/WinChromeFrameRegistry.h"

namespace qlx::win {

SettingsWindowOnPanel::SettingsWindowOnPanel(TFormMain& form)
    : form_(form),
      command_(form.state(), form.settings().autostart(), *this, form.dialogs().messagePort()) {}

std::unique_ptr<SettingsWindowHandle> SettingsWindowOnPanel::createSettingsWindow() {
    auto window = std::make_unique<TFormSettingsWindow>(
        form_.dialogs().messagePort(),
        [this](const Dimension& d) { form_.setPanelBounds(d.left, d.top, d.width, d.height); });
    if (!window->createForm()) throw std::runtime_error("settings window");
    return window;
}

void SettingsWindowOnPanel::showPanel() { form_.core().ShowPanel(false); }
void SettingsWindowOnPanel::applyOnTop(bool onTop) { form_.panel().applyOnTop(onTop); }
void SettingsWindowOnPanel::requestButtons(bool show) { form_.panel().requestButtons(show); }
void SettingsWindowOnPanel::addTrayIcon() { form_.panel().addTrayIcon(); }
void SettingsWindowOnPanel::removeTrayIcon() { form_.panel().removeTrayIcon(); }
void SettingsWindowOnPanel::showTaskbarButton(bool show) { form_.showTaskbarButton(show); }

LookupHotKeyKeeper& SettingsWindowOnPanel::lookupHotKey() { return form_.lookup().hotKeys(); }

void SettingsWindowOnPanel::onTopSettingApplied(bool alwaysOnTop) {
    form_.panel().onTopSettingApplied(alwaysOnTop);
}

void SettingsWindowOnPanel::allowChromeFrameUrls() {
    WinChromeFrameRegistry registry;
    AllowChromeFrameUrls(registry, form_.dialogs().messagePort());
}

void SettingsWindowOnPanel::postCommand(uint16_t wParam, int32_t lParam) {
    form_.postCommand(wParam, lParam);
}

} // namespace qlx::win

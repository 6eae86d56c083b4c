// What the settings window's opener needs of the main window, and the opener itself: the
// panel hands it its state and operations, the window keeps its own.
#pragma once

#include "settings/SettingsWindowCommand.h"

namespace qlx::win {

class TFormMain;

class SettingsWindowOnPanel final : public SettingsWindowPort {
public:
    explicit SettingsWindowOnPanel(TFormMain& form);

    // "Indstillinger" in a menu (its tag) or the internal command (0).
    void MenuItemSettingsClick(int senderTag) { command_.MenuItemSettingsClick(senderTag); }
    // The lookup shortcut was pressed: true when the open window took it.
    bool HotKeyPressed() { return command_.HotKeyPressed(); }

    std::unique_ptr<SettingsWindowHandle> createSettingsWindow() override;
    void showPanel() override;
    void applyOnTop(bool onTop) override;
    void requestButtons(bool show) override;
    void addTrayIcon() override;
    void removeTrayIcon() override;
    void showTaskbarButton(bool show) override;
    LookupHotKeyKeeper& lookupHotKey() override;
    void onTopSettingApplied(bool alwaysOnTop) override;
    void allowChromeFrameUrls() override;
    void postCommand(uint16_t wParam, int32_t lParam) override;

private:
    TFormMain& form_;
    SettingsWindowCommand command_;
};

} // namespace qlx::win

// The settings window beside the panel.
#pragma once

#include "settings/SettingsWindowCommand.h"

namespace qlx::qt {

class PanelMain;

class SettingsWindowOnPanel final : public SettingsWindowFactory {
public:
    explicit SettingsWindowOnPanel(PanelMain& main) : main_(main) {}
    std::unique_ptr<SettingsWindowHandle> createSettingsWindow() override;

private:
    PanelMain& main_;
};

} // namespace qlx::qt

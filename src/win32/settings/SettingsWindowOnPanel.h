// The settings window beside the panel, built for the program's settings command.
#pragma once

#include "settings/SettingsWindowCommand.h"

namespace qlx::win {

class TFormMain;

class SettingsWindowOnPanel final : public SettingsWindowFactory {
public:
    explicit SettingsWindowOnPanel(TFormMain& form) : form_(form) {}
    std::unique_ptr<SettingsWindowHandle> createSettingsWindow() override;

private:
    TFormMain& form_;
};

} // namespace qlx::win

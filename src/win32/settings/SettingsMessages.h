// The settings' reports as the program's message dialog: errors and warnings, owned by the
// panel or by none.
#pragma once

#include "settings/SettingsReporter.h"

namespace qlx::win {

class TFormMain;

class SettingsMessages final : public SettingsReporter {
public:
    explicit SettingsMessages(TFormMain& form) : form_(form) {}
    void showMessage(const std::string& text, const std::string& caption,
                     SettingsMessageKind kind, bool ownedByMainWindow) override;

private:
    TFormMain& form_;
};

} // namespace qlx::win

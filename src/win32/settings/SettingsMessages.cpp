// The settings' reports in the program's message dialog.
#include "win32/settings/SettingsMessages.h"

#include "win32/app/FormMain.h"

namespace qlx::win {

void SettingsMessages::showMessage(const std::string& text, const std::string& caption,
                                   SettingsMessageKind kind, bool ownedByMainWindow) {
    form_.dialogs().messagePort().MessageWin(
        ownedByMainWindow ? DialogOwner::panel : DialogOwner::none, text, caption,
        kind == SettingsMessageKind::Error ? TMsgDlgType::error : TMsgDlgType::warning, 0);
}

} // namespace qlx::win

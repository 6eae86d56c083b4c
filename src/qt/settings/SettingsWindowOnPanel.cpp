#include "qt/settings/SettingsWindowOnPanel.h"

#include "qt/app/PanelMain.h"
#include "qt/forms/FormSettings.h"

namespace qlx::qt {

std::unique_ptr<SettingsWindowHandle> SettingsWindowOnPanel::createSettingsWindow() {
    return std::make_unique<TFormSettingsWindow>(
        main_.dialogs(), [this] { return main_.panel().panelBounds(); },
        [this](const Dimension& d) { main_.setPanelBounds(d.left, d.top, d.width, d.height); });
}

} // namespace qlx::qt

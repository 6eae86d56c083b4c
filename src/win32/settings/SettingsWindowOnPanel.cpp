// The settings window beside the panel.
#include "win32/settings/SettingsWindowOnPanel.h"

#include <stdexcept>

#include "win32/app/FormMain.h"
#include "win32/forms/FormSettings.h"

namespace qlx::win {

std::unique_ptr<SettingsWindowHandle> SettingsWindowOnPanel::createSettingsWindow() {
    auto window = std::make_unique<TFormSettingsWindow>(
        form_.dialogs(),
        [this](const Dimension& d) { form_.setPanelBounds(d.left, d.top, d.width, d.height); });
    if (!window->createForm()) throw std::runtime_error("settings window");
    return window;
}

} // namespace qlx::win

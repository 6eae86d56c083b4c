// The first start's welcome window beside the panel.
#include "win32/lookup/WelcomeOnPanel.h"

#include <stdexcept>

#include "win32/forms/FormWelcome.h"

namespace qlx::win {

int32_t WelcomeOnPanel::showWelcomeWindow(const Dimension& panel) {
    TFormWelcomeWindow window(panel);
    if (!window.create()) throw std::runtime_error("welcome window");
    return window.show();
}

} // namespace qlx::win

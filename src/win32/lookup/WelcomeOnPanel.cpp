// The first start's welcome beside the panel.
#include "win32/lookup/WelcomeOnPanel.h"

#include <stdexcept>

#include "win32/app/FormMain.h"
#include "win32/forms/FormWelcome.h"
#include "win32/system/WorkArea.h"

namespace qlx::win {

void WelcomeOnPanel::requestButtons(bool show) { form_.panel().requestButtons(show); }

Dimension WelcomeOnPanel::panelBounds() {
    RECT r{};
    GetWindowRect(form_.handle(), &r);
    return Dimension{r.top, r.left, r.bottom - r.top, r.right - r.left};
}

int32_t WelcomeOnPanel::showWelcomeWindow(const Dimension& panel) {
    TFormWelcomeWindow window(panel);
    if (!window.create()) throw std::runtime_error("welcome window");
    return window.show();
}

void WelcomeOnPanel::postCommand(uint16_t wParam, int32_t lParam) {
    form_.postCommand(wParam, lParam);
}

} // namespace qlx::win

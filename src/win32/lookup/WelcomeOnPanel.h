// What the first start's welcome needs of the panel: its buttons, its place, the welcome
// window beside it and the posted information page.
#pragma once

#include "lookup/ChromeFrame.h"

namespace qlx::win {

class TFormMain;

class WelcomeOnPanel final : public WelcomePort {
public:
    explicit WelcomeOnPanel(TFormMain& form) : form_(form) {}
    void requestButtons(bool show) override;
    Dimension panelBounds() override;
    int32_t showWelcomeWindow(const Dimension& panel) override;
    void postCommand(uint16_t wParam, int32_t lParam) override;

private:
    TFormMain& form_;
};

} // namespace qlx::win

// TFormWelcome: the welcome window of the very first start, on the window layer.
#pragma once

#include "win32/forms/FormWindow.h"
#include "forms/WelcomeForm.h"

namespace qlx::win {

class TFormWelcomeWindow final : public TFormWindow {
public:
    TFormWelcomeWindow() : TFormWindow(welcomeFormLayout()) {}
    // Shows the window modally at place (kept inside the work area); the modal result.
    int32_t showAt(const Dimension& place);

private:
    void formShow() override;
    bool formCloseQuery() override { return core_.FormCloseQuery(); }
    void buttonClick(const ControlDesc& button) override;

    TFormWelcome core_;
    Dimension place_;
};

} // namespace qlx::win

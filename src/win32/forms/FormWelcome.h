// TFormWelcome: the welcome window of the very first start, on the window layer.
#pragma once

#include "win32/forms/FormWindow.h"
#include "forms/WelcomeForm.h"

namespace qlx::win {

class TFormWelcomeWindow final : public TFormWindow {
public:
    // panel: the panel's bounds, which the window opens beside.
    explicit TFormWelcomeWindow(const Dimension& panel)
        : TFormWindow(welcomeFormLayout()), panel_(panel) {}
    // Shows the window modally; the modal result.
    int32_t show() { return showModal(); }

private:
    // Beside the panel, inside the work area of the panel's monitor.
    Dimension initialPlace(const Dimension& outer) const override;
    void formShow() override { core_.FormShow(); }
    bool formCloseQuery() override { return core_.FormCloseQuery(); }
    void buttonClick(const ControlDesc& button) override;

    TFormWelcome core_;
    Dimension panel_;
};

} // namespace qlx::win

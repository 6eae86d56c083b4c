// The welcome window: placed beside the panel, closed only by its two buttons.
#include "win32/forms/FormWelcome.h"

#include "win32/system/WorkArea.h"

namespace qlx::win {

int32_t TFormWelcomeWindow::showAt(const Dimension& place) {
    place_ = place;
    return showModal();
}

void TFormWelcomeWindow::formShow() {
    Dimension d = place_;
    limitToScreenWorkarea(d, currentWorkArea());
    setBounds(d);
    core_.FormShow();
}

void TFormWelcomeWindow::buttonClick(const ControlDesc& button) {
    if (button.name == "ButtonYes") core_.ButtonYesClick();
    else if (button.name == "ButtonNo") core_.ButtonNoClick();
    setModalResult(core_.ModalResult);
}

} // namespace qlx::win

// The welcome window: placed beside the panel, closed only by its two buttons.
#include "win32/forms/FormWelcome.h"

#include "win32/app/Application.h"
#include "win32/system/WorkArea.h"

namespace qlx::win {

int32_t TFormWelcomeWindow::showAt(const Dimension& place) {
    place_ = place;
    return showModal();
}

void TFormWelcomeWindow::formShow() {
    // Beside the panel, on the panel's monitor.
    Dimension d = place_;
    HWND panel = Application::instance().mainWindow();
    limitToScreenWorkarea(d, panel ? workAreaOfWindow(panel) : workAreaOf(d, systemMonitors()));
    setBounds(d);
    core_.FormShow();
}

void TFormWelcomeWindow::buttonClick(const ControlDesc& button) {
    if (button.name == "ButtonYes") core_.ButtonYesClick();
    else if (button.name == "ButtonNo") core_.ButtonNoClick();
    setModalResult(core_.ModalResult);
}

} // namespace qlx::win

// The welcome window: placed beside the panel, closed only by its two buttons.
#include "win32/forms/FormWelcome.h"

#include "win32/system/WorkArea.h"
#include "lookup/ChromeFrame.h"

namespace qlx::win {

Dimension TFormWelcomeWindow::initialPlace(const Dimension& outer) const {
    Dimension d = welcomePlace(panel_, outer.width, outer.height, dpi());
    limitToScreenWorkarea(d, workAreaOf(panel_, systemMonitors()));
    return d;
}

void TFormWelcomeWindow::buttonClick(const ControlDesc& button) {
    if (button.name == "ButtonYes") core_.ButtonYesClick();
    else if (button.name == "ButtonNo") core_.ButtonNoClick();
    setModalResult(core_.ModalResult);
}

} // namespace qlx::win

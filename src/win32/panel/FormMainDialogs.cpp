// Opening pages and the first start's welcome, on the main window.
#include "win32/panel/FormMainDialogs.h"

#include "win32/app/FormMain.h"
#include "win32/lookup/WelcomeOnPanel.h"
#include "win32/system/WinChromeFrameRegistry.h"
#include "lookup/ChromeFrame.h"
#include "lookup/OpenWebPage.h"

namespace qlx::win {

ShellOpenPort& FormMainDialogs::shellPort() {
    shellOpen_.setOwner(form_.handle());
    return shellOpen_;
}

void FormMainDialogs::openProgramInfoPage() {
    ProgramState& state = form_.state();
    MenuItemProgramWebClick(shellPort(), messagePort(), state.Templates, state.UseChromeFrame);
    form_.panel().requestButtons(false);
}

void FormMainDialogs::welcomeFlow() {
    WelcomeOnPanel port(form_);
    WinChromeFrameRegistry registry;
    ProgramState& state = form_.state();
    RunFirstStartWelcome(state.ModalDialogOpen, state.UseChromeFrame, port, registry,
                         messagePort());
}

void FormMainDialogs::imageOpenClick() {
    ProgramState& state = form_.state();
    ImageOpenClick(shellPort(), messagePort(), state.Templates, state.UseChromeFrame,
                   state.LastSearchText);
    form_.panel().requestButtons(false);
}

} // namespace qlx::win

// The message dialog, the work area and opening pages, on the main window.
#include "FormMain.h"

#include "MessageWin.h"
#include "lookup/OpenWebPage.h"
#include "panel/MessageWinModal.h"

namespace qlx::win {

bool TFormMain::dialogsMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

ShellOpenPort& TFormMain::shellPort() {
    shellOpen_.setOwner(hwnd_);
    return shellOpen_;
}

int32_t TFormMain::PanelMessages::MessageWin(DialogOwner owner, const std::string& text,
                                             const std::string& caption, TMsgDlgType type,
                                             int32_t buttonSet) {
    if (owner != DialogOwner::panel || form_.handle() == nullptr)
        return showMessageWin(nullptr, text, caption, type, buttonSet, true);
    FormMainCore& core = form_.core();
    PanelDialogScope scope(core.ModalDialogOpen, core.OnTopActive,
                           [this](bool onTop) { form_.applyOnTop(onTop); });
    return showMessageWin(form_.handle(), text, caption, type, buttonSet, false);
}

void TFormMain::openProgramInfoPage() {
    MenuItemProgramWebClick(shellPort(), messagePort(), core_.Templates, core_.UseChromeFrame);
    requestButtons(false);
}

void TFormMain::imageOpenClick() {
    ImageOpenClick(shellPort(), messagePort(), core_.Templates, core_.UseChromeFrame,
                   core_.LastSearchText);
    requestButtons(false);
}

} // namespace qlx::win

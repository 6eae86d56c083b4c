// The program's message dialog with its owner: the open form, the panel or none.
#include "win32/panel/PanelMessages.h"

#include "win32/app/Application.h"
#include "win32/app/FormMain.h"
#include "win32/dialogs/MessageWin.h"
#include "dialogs/MessageWinModal.h"

namespace qlx::win {

int32_t PanelMessages::MessageWin(DialogOwner owner, const std::string& text,
                                  const std::string& caption, TMsgDlgType type,
                                  int32_t buttonSet) {
    if (owner == DialogOwner::form) {
        // The program's open modal window asks: the question belongs to it.
        for (HWND form : Application::instance().forms())
            if (form != form_.handle() && IsWindowVisible(form))
                return showMessageWin(form, text, caption, type, buttonSet, false);
    }
    if (owner != DialogOwner::panel || form_.handle() == nullptr)
        return showMessageWin(nullptr, text, caption, type, buttonSet, true);
    ProgramState& state = form_.state();
    PanelDialogScope scope(state.ModalDialogOpen, state.OnTopActive,
                           [this](bool onTop) { form_.applyOnTop(onTop); });
    return showMessageWin(form_.handle(), text, caption, type, buttonSet, false);
}

} // namespace qlx::win

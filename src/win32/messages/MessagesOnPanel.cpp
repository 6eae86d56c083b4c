// The news messages on the panel: the messages window, the drag that puts it off, the save timer.
#include "win32/messages/MessagesOnPanel.h"

#include <stdexcept>

#include "win32/app/FormMain.h"
#include "win32/forms/FormMessages.h"

namespace qlx::win {

bool MessagesOnPanel::textDragOverPanel() { return form_.panel().textDragOverPanel(); }

void MessagesOnPanel::runMessagesWindow(int32_t index) {
    TFormMessagesWindow window(form_.messages().store(), form_.dialogs().shellPort(),
                               form_.dialogs().messagePort(), form_.handle());
    if (!window.create()) throw std::runtime_error("messages window");
    window.showMessage(index);
}

void MessagesOnPanel::applyOnTop(bool onTop) { form_.panel().applyOnTop(onTop); }

void MessagesOnPanel::setSaveTimer(bool enabled) {
    if (enabled)
        SetTimer(form_.handle(), kTimerSaveUserMessages, kSaveUserMessagesDelayMs, nullptr);
    else
        KillTimer(form_.handle(), kTimerSaveUserMessages);
}

} // namespace qlx::win

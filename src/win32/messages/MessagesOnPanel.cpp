// The news messages' window beside the panel, and the timer that saves the shown state.
#include "win32/messages/MessagesOnPanel.h"

#include <stdexcept>

#include "win32/app/FormMain.h"
#include "win32/forms/FormMessages.h"

namespace qlx::win {

namespace {
constexpr UINT_PTR kTimerSaveUserMessages = 41;
}

void MessagesOnPanel::runMessagesWindow(MessageStore& store, int32_t index) {
    TFormMessagesWindow window(store, form_.pages(), form_.dialogs(), form_.handle());
    if (!window.create()) throw std::runtime_error("messages window");
    window.showMessage(index);
}

void MessagesOnPanel::setSaveTimer(bool enabled) {
    if (enabled)
        SetTimer(form_.handle(), kTimerSaveUserMessages, kSaveUserMessagesDelayMs, nullptr);
    else
        KillTimer(form_.handle(), kTimerSaveUserMessages);
}

bool MessagesOnPanel::message(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    if (msg != WM_TIMER || wParam != kTimerSaveUserMessages) return false;
    form_.program().messages().TimerSaveUserMessagesTimer();
    result = 0;
    return true;
}

} // namespace qlx::win

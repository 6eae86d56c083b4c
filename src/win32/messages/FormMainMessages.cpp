// The news messages on the main window: the messages window beside the panel, the drag that
// puts it off, and the timer that saves the shown state a second after it closed.
#include "win32/app/FormMain.h"

#include <stdexcept>

#include "win32/forms/FormMessages.h"

namespace qlx::win {

namespace {
constexpr UINT_PTR kTimerSaveUserMessages = 41;
}

bool TFormMain::MessagesOnPanel::textDragOverPanel() {
    return form_.buttons_.TextDragState == 1;
}

void TFormMain::MessagesOnPanel::runMessagesWindow(int32_t index) {
    TFormMessagesWindow window(form_.messageStore_, form_.shellPort(), form_.messagePort(),
                               form_.hwnd_);
    if (!window.create()) throw std::runtime_error("messages window");
    window.showMessage(index);
}

void TFormMain::MessagesOnPanel::setSaveTimer(bool enabled) {
    if (enabled)
        SetTimer(form_.hwnd_, kTimerSaveUserMessages, kSaveUserMessagesDelayMs, nullptr);
    else
        KillTimer(form_.hwnd_, kTimerSaveUserMessages);
}

bool TFormMain::messagesMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    if (msg != WM_TIMER || wParam != kTimerSaveUserMessages) return false;
    messageStore_.TimerSaveUserMessagesTimer();
    result = 0;
    return true;
}

} // namespace qlx::win

// The news messages on the main window: the store over the program state and the settings
// file, and the timer that saves the shown state.
#include "win32/messages/FormMainMessages.h"

#include "win32/app/FormMain.h"

namespace qlx::win {

FormMainMessages::FormMainMessages(TFormMain& form)
    : messagesOnPanel_(form),
      messageStore_(messagesOnPanel_, form.state(), form.settings().store(),
                    form.dialogs().messagePort()) {}

bool FormMainMessages::message(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    if (msg != WM_TIMER || wParam != MessagesOnPanel::kTimerSaveUserMessages) return false;
    messageStore_.TimerSaveUserMessagesTimer();
    result = 0;
    return true;
}

} // namespace qlx::win

// The main window's news messages: the received ones, their shown state and the timer that
// saves it a second after the messages window closed.
#pragma once

#include <windows.h>

#include "win32/messages/MessagesOnPanel.h"
#include "messages/MessageStore.h"

namespace qlx::win {

class TFormMain;

class FormMainMessages {
public:
    explicit FormMainMessages(TFormMain& form);

    // The save timer.
    bool message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The received messages (those of the successful download) and the shown timestamps.
    MessageStore& store() { return messageStore_; }

private:
    MessagesOnPanel messagesOnPanel_;
    MessageStore messageStore_;
};

} // namespace qlx::win

// The news messages' window beside the panel, and the timer on the main window that saves
// their shown state.
#pragma once

#include <windows.h>

#include "messages/MessagesWindowOpener.h"

namespace qlx::win {

class TFormMain;

class MessagesOnPanel final : public MessagesWindowOpener {
public:
    explicit MessagesOnPanel(TFormMain& form) : form_(form) {}

    // The save timer; true when handled, with result set.
    bool message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    void runMessagesWindow(MessageStore& store, int32_t index) override;
    void setSaveTimer(bool enabled) override;

private:
    TFormMain& form_;
};

} // namespace qlx::win

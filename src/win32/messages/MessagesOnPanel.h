// What the news messages need of the panel: the text drag that puts them off, the messages
// window beside it, the topmost band and the timer that saves the shown state.
#pragma once

#include "messages/MessageStore.h"

namespace qlx::win {

class TFormMain;

class MessagesOnPanel final : public MessageStorePort {
public:
    explicit MessagesOnPanel(TFormMain& form) : form_(form) {}

    // The timer that saves the shown state, on the main window.
    static constexpr uintptr_t kTimerSaveUserMessages = 41;

    bool textDragOverPanel() override;
    void runMessagesWindow(int32_t index) override;
    void applyOnTop(bool onTop) override;
    void setSaveTimer(bool enabled) override;

private:
    TFormMain& form_;
};

} // namespace qlx::win

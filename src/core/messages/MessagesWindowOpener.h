// The messages window as the news messages open it, and the timer that saves their shown state.
#pragma once

#include <cstdint>

namespace qlx {

class MessageStore;

class MessagesWindowOpener {
public:
    virtual ~MessagesWindowOpener() = default;
    // Shows the message at index (-1: none) modally, beside the panel.
    virtual void runMessagesWindow(MessageStore& store, int32_t index) = 0;
    // On: MessageStore::TimerSaveUserMessagesTimer once its delay has passed.
    virtual void setSaveTimer(bool enabled) = 0;
};

} // namespace qlx

// The news messages of the definitions download and which of them the user has seen: the step
// that opens the messages window on the first new message, and the "ShownMessages" section of
// the settings file that carries the seen ones from run to run.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "definitions/ReceivedMessage.h"
#include "dialogs/MessageWinPort.h"
#include "settings/SettingsStore.h"
#include "state/ProgramState.h"

namespace qlx {

inline constexpr uint32_t kSaveUserMessagesDelayMs = 1000;

// What the message store asks of the main window.
class MessageStorePort {
  public:
    virtual ~MessageStorePort() = default;
    // Text is being dragged over the panel at this moment.
    virtual bool textDragOverPanel() = 0;
    // Shows the messages window modally with the message at index (-1: none) and returns
    // when it has been closed.
    virtual void runMessagesWindow(int32_t index) = 0;
    virtual void applyOnTop(bool onTop) = 0;
    // TimerSaveUserMessages: the shown state is saved kSaveUserMessagesDelayMs after this.
    virtual void setSaveTimer(bool enabled) = 0;
};

class MessageStore {
  public:
    MessageStore(MessageStorePort& port, ProgramState& state, SettingsStore& settings,
                 MessageWinPort& messages)
        : port_(port), state_(state), settings_(settings), messages_(messages) {}

    // The timestamps the settings file listed as shown at start; none without any line.
    std::optional<std::vector<std::string>> ShownTimestamps;
    bool ShownMessagesChanged = false;

    // A successful download hands its messages over (none when it had none).
    void receive(std::optional<ReceivedMessageList> list) { received_ = std::move(list); }
    bool hasReceived() const { return received_.has_value(); }
    // The received list as it is now (a later download may replace it); null before one.
    ReceivedMessageList* received() { return received_ ? &*received_ : nullptr; }

    // Opens the messages window on the first message that is neither shown before nor empty;
    // true when it did. Put off while text is dragged over the panel.
    bool ShowNewMessages();
    // The window, modally, with the panel out of the topmost band meanwhile. One at a time.
    void ShowMessagesWindow(int32_t index);
    // Rewrites the "ShownMessages" section with the shown messages of the received list, in
    // its order; a failure is reported.
    void SaveShownMessages();
    void TimerSaveUserMessagesTimer();

  private:
    MessageStorePort& port_;
    ProgramState& state_;
    SettingsStore& settings_;
    MessageWinPort& messages_;
    std::optional<ReceivedMessageList> received_;
    bool windowOpen_ = false;
};

} // namespace qlx

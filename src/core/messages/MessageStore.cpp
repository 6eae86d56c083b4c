// Choosing the message to show, showing it, and remembering what was shown.
#include "messages/MessageStore.h"

#include <algorithm>
#include <unordered_set>

#include "Text.h"
#include "dialogs/MessageWinModal.h"

namespace qlx {

bool MessageStore::ShowNewMessages() {
    if (port_.textDragOverPanel()) return false;
    state_.NewMessagesDone = true;
    if (!received_) return false;

    ReceivedMessageList& list = *received_;
    std::sort(list.begin(), list.end(), [](const ReceivedMessage& a, const ReceivedMessage& b) {
        return compareBytes(a.timestamp, b.timestamp) < 0;
    });
    std::unordered_set<std::string> shown;
    if (ShownTimestamps)
        for (const std::string& stamp : *ShownTimestamps)
            shown.insert(lowerAscii(stamp));
    ShownTimestamps.reset();

    std::optional<size_t> first;
    for (size_t i = 0; i < list.size(); ++i) {
        if (shown.count(lowerAscii(list[i].timestamp)))
            list[i].shown = true;
        else if (!first && !list[i].text.empty())
            first = i;
    }
    if (!first) return false;

    ShownMessagesChanged = true;
    ShowMessagesWindow(static_cast<int32_t>(*first));
    port_.setSaveTimer(true);
    return true;
}

void MessageStore::ShowMessagesWindow(int32_t index) {
    // A second request while the window is open (the internal command, a later download)
    // would otherwise stack a second window on the first.
    if (windowOpen_) return;
    windowOpen_ = true;
    const bool inList = received_ && index >= 0 && static_cast<size_t>(index) < received_->size();
    try {
        PanelDialogScope scope(state_.ModalDialogOpen, state_.OnTopActive,
                               [this](bool onTop) { port_.applyOnTop(onTop); });
        port_.runMessagesWindow(inList ? index : -1);
    } catch (...) {
    }
    windowOpen_ = false;
}

void MessageStore::SaveShownMessages() {
    ShownMessagesChanged = false;
    if (!received_) return;
    std::vector<std::pair<std::string, std::string>> entries;
    for (const ReceivedMessage& message : *received_)
        if (message.shown)
            entries.emplace_back("m" + std::to_string(entries.size() + 1), message.timestamp);
    if (settings_.rewriteSection("ShownMessages", entries)) {
        state_.SettingsFileMissing = false;
        return;
    }
    messages_.MessageWin(DialogOwner::none,
                         "Allerede viste meddelelser kunne ikke registreres i filen \n" +
                             settings_.SettingsFilePath +
                             "\n\nUnders\xF8g om filkataloget eksisterer og\nom du har ret til "
                             "at skrive i kataloget.",
                         programTitle, TMsgDlgType::warning, 0);
}

void MessageStore::TimerSaveUserMessagesTimer() {
    port_.setSaveTimer(false);
    SaveShownMessages();
}

} // namespace qlx

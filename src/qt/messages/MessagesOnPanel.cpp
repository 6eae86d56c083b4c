#include "qt/messages/MessagesOnPanel.h"

#include "messages/MessageStore.h"
#include "qt/app/PanelMain.h"
#include "qt/forms/FormMessages.h"

namespace qlx::qt {

MessagesOnPanel::MessagesOnPanel(PanelMain& main) : main_(main) {
    save_.setSingleShot(true);
    connect(&save_, &QTimer::timeout, this,
            [this] { main_.program().messages().TimerSaveUserMessagesTimer(); });
}

void MessagesOnPanel::runMessagesWindow(MessageStore& store, int32_t index) {
    TFormMessagesWindow window(store, main_.pages(), main_.dialogs(), main_.panel().panelBounds());
    window.showMessage(index);
}

void MessagesOnPanel::setSaveTimer(bool enabled) {
    if (enabled) save_.start(static_cast<int>(kSaveUserMessagesDelayMs));
    else save_.stop();
}

} // namespace qlx::qt

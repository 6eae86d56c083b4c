// The news messages' window beside the panel, and the timer that saves the shown state.
#pragma once

#include <QObject>
#include <QTimer>

#include "messages/MessagesWindowOpener.h"

namespace qlx::qt {

class PanelMain;

class MessagesOnPanel final : public QObject, public MessagesWindowOpener {
public:
    explicit MessagesOnPanel(PanelMain& main);
    void runMessagesWindow(MessageStore& store, int32_t index) override;
    void setSaveTimer(bool enabled) override;

private:
    PanelMain& main_;
    QTimer save_;
};

} // namespace qlx::qt

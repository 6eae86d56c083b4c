// The program's secondary windows on Linux: the settings, welcome and messages windows.
// Not built yet: until they are, the settings and welcome windows refuse to open (the program
// carries on as when a window cannot be built) and news messages stay unread in the store.
#pragma once

#include <QWidget>

#include "lookup/ChromeFrame.h"
#include "messages/MessagesWindowOpener.h"
#include "settings/SettingsWindowCommand.h"

namespace qlx::qt {

class PanelMain;

class FormWindows final : public MessagesWindowOpener,
                          public SettingsWindowFactory,
                          public WelcomeWindowPort {
public:
    explicit FormWindows(PanelMain& main) : main_(main) {}

    void raiseOpenWindows();
    void hideOpenWindows();

    void runMessagesWindow(MessageStore& store, int32_t index) override;
    void setSaveTimer(bool enabled) override;
    std::unique_ptr<SettingsWindowHandle> createSettingsWindow() override;
    int32_t showWelcomeWindow(const Dimension& panel) override;

private:
    PanelMain& main_;
};

} // namespace qlx::qt

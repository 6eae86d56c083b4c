#include "qt/forms/FormWindows.h"

#include <QApplication>

#include <stdexcept>

#include "qt/app/PanelMain.h"

namespace qlx::qt {

void FormWindows::raiseOpenWindows() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != &main_.panel() && window->isVisible()) window->raise();
}

void FormWindows::hideOpenWindows() {}

void FormWindows::runMessagesWindow(MessageStore&, int32_t) {}

void FormWindows::setSaveTimer(bool) {}

std::unique_ptr<SettingsWindowHandle> FormWindows::createSettingsWindow() {
    throw std::runtime_error("the settings window is not built on this desktop yet");
}

int32_t FormWindows::showWelcomeWindow(const Dimension&) {
    throw std::runtime_error("the welcome window is not built on this desktop yet");
}

} // namespace qlx::qt

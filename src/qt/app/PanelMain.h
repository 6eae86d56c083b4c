// PanelMain: the program's ports on a Linux desktop (Qt 6) and the program composed over them.
// It passes the panel's, the tray's and the session bus's events to the program and carries
// out what the program asks of the system.
#pragma once

#include <QObject>
#include <QTimer>

#include <memory>

#include "app/ApplicationPort.h"
#include "app/Program.h"
#include "panel/PanelWindowPort.h"
#include "qt/definitions/DefinitionsWorker.h"
#include "qt/lookup/LookupInputs.h"
#include "qt/dialogs/MessageDialog.h"
#include "qt/panel/PanelWidget.h"
#include "qt/panel/TrayIcon.h"
#include "qt/lookup/WelcomeOnPanel.h"
#include "qt/messages/MessagesOnPanel.h"
#include "qt/settings/SettingsWindowOnPanel.h"
#include "qt/system/DesktopOpen.h"
#include "qt/system/PosixFileSystem.h"
#include "qt/system/XdgAutostart.h"
#include "qt/system/XdgSystemInfo.h"

namespace qlx::qt {

// Windows only: the Chrome Frame opt-in lives in the Windows registry; here it is never set.
class NoChromeFrameRegistry final : public ChromeFrameRegistryPort {
public:
    bool openKey() override { return false; }
    Existing existingValue() override { return Existing::none; }
    bool writeNumber(uint32_t) override { return false; }
    bool writeText(const char*) override { return false; }
};

class PanelMain final : public QObject, public ApplicationPort, public PanelWindowPort {
public:
    explicit PanelMain(const std::vector<std::string>& args);
    ~PanelMain() override;

    // Creates the panel and runs the creation sequence.
    void create();
    Program& program() { return program_; }
    ProgramState& state() { return program_.state(); }
    PanelWidget& panel() { return panel_; }
    TrayIcon& tray() { return tray_; }
    LookupInputs& lookup() { return lookup_; }
    MessageWinPort& dialogs() { return dialogs_; }
    ShellOpenPort& pages() { return pages_; }

    // What a second start asks of the running program: show the panel, or look the
    // clipboard up.
    void secondStart(uint16_t command);

    // ApplicationPort
    void restoreApplication() override;
    void bringAllToFront() override;
    void liftOpenWindows() override;
    void minimizeApplication() override;
    void postCommand(uint16_t wParam, int32_t lParam) override;
    void postFinishCreation() override;
    void sleepMs(uint32_t ms) override;
    void startStartupTimer() override { startupTimer_.start(1000); }
    void stopStartupTimer() override { startupTimer_.stop(); }
    bool startupTimerRunning() override { return startupTimer_.isActive(); }
    void endProgram() override;

    // PanelWindowPort
    void setPanelBounds(int left, int top, int width, int height) override;
    int screenWidth() override;
    int screenDpi() override { return 96; }
    Dimension screenSize() override;
    bool panelZoomed() override { return false; }
    void layoutPanel() override;
    void applyOnTop(bool onTop) override { panel_.applyOnTop(onTop); }
    void setOnTopCheckMarks(bool checked) override;
    void openTrayMenuAtCursor() override;
    void openTrayMenuAt(int32_t x, int32_t y) override;

private:
    ShellPorts ports();
    // The program's other windows that are on the screen.
    std::vector<QWidget*> openWindows() const;

    std::vector<std::string> args_;
    QTimer startupTimer_;
    DesktopOpen pages_;
    MessageDialog dialogs_{*this};
    PanelWidget panel_{*this};
    TrayIcon tray_{*this};
    LookupInputs lookup_{*this};
    DefinitionsWorker definitions_{*this};
    MessagesOnPanel messagesWindow_{*this};
    SettingsWindowOnPanel settingsWindow_{*this};
    WelcomeOnPanel welcomeWindow_;
    NoChromeFrameRegistry chromeFrame_;
    PosixFileSystem settingsFiles_;
    XdgSystemInfo systemInfo_;
    XdgAutostart runLists_;
    Program program_;
};

} // namespace qlx::qt

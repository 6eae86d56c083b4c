// TFormMain: the floating panel's window, the program's ports on Windows, and the program
// composed over them. It translates window messages into calls of the program and carries out
// what the program asks of the system.
#pragma once

#include <windows.h>

#include "app/ApplicationPort.h"
#include "app/Program.h"
#include "panel/PanelWindowPort.h"
#include "win32/definitions/FormMainDefinitions.h"
#include "win32/lookup/FormMainLookup.h"
#include "win32/lookup/WelcomeOnPanel.h"
#include "win32/messages/MessagesOnPanel.h"
#include "win32/panel/FormMainPanel.h"
#include "win32/panel/PanelMessages.h"
#include "win32/settings/SettingsWindowOnPanel.h"
#include "win32/system/ShellOpen.h"
#include "win32/system/WinChromeFrameRegistry.h"
#include "win32/system/WinFileSystem.h"
#include "win32/system/WinRunList.h"
#include "win32/system/WinSystemInfo.h"

namespace qlx::win {

class TFormMain final : public ApplicationPort, public PanelWindowPort {
public:
    TFormMain();
    static TFormMain* instance() { return instance_; }

    // Creates the window and runs the creation sequence; false when the window failed.
    bool create(HINSTANCE module, int showCommand);
    HWND handle() const { return hwnd_; }
    Program& program() { return program_; }
    ProgramState& state() { return program_.state(); }

    // The Windows sides of the features, each with its message handling in its own files
    // beside its feature; a feature's message hook returns true when it has handled the
    // message and set the result.
    FormMainPanel& panel() { return panel_; }
    FormMainLookup& lookup() { return lookup_; }
    FormMainDefinitions& definitions() { return definitions_; }
    MessageWinPort& dialogs() { return dialogs_; }
    ShellOpenPort& pages() { return pages_; }

    // ApplicationPort
    void restoreApplication() override;
    void bringAllToFront() override;
    void liftOpenWindows() override;
    void minimizeApplication() override;
    void postCommand(uint16_t wParam, int32_t lParam) override;
    void postFinishCreation() override;
    void sleepMs(uint32_t ms) override;
    void startStartupTimer() override;
    void stopStartupTimer() override;
    bool startupTimerRunning() override { return startupTimerOn_; }
    void endProgram() override;

    // PanelWindowPort
    void setPanelBounds(int left, int top, int width, int height) override;
    int screenWidth() override;
    int screenDpi() override;
    Dimension screenSize() override;
    bool panelZoomed() override;
    void layoutPanel() override { panel_.layoutPanel(); }
    void applyOnTop(bool onTop) override { panel_.applyOnTop(onTop); }
    void setOnTopCheckMarks(bool checked) override;
    void openTrayMenuAtCursor() override;
    void openTrayMenuAt(int32_t x, int32_t y) override;
    void trayIconUsed(uint16_t event) override { panel_.noteTrayInput(event); }

private:
    static LRESULT CALLBACK windowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam);
    // Remembers the panel's bounds from its moves and sizes for the stored position.
    void trackBounds(UINT msg, WPARAM wParam);
    ShellPorts ports();

    static TFormMain* instance_;
    HWND hwnd_ = nullptr;
    bool startupTimerOn_ = false;
    HBRUSH panelBrush_ = nullptr;
    // The ports, first: the program below holds references to them.
    ShellOpen pages_;
    PanelMessages dialogs_{*this};
    FormMainPanel panel_{*this};
    FormMainLookup lookup_{*this};
    FormMainDefinitions definitions_{*this};
    MessagesOnPanel messagesWindow_{*this};
    SettingsWindowOnPanel settingsWindow_{*this};
    WelcomeOnPanel welcomeWindow_;
    WinChromeFrameRegistry chromeFrame_;
    WinFileSystem settingsFiles_;
    WinSystemInfo systemInfo_;
    WinRunList runLists_;
    Program program_;
    // Where the program put the panel at its first show. Some X window managers place a new
    // window themselves; until the user first presses a button on the panel, or for a few
    // seconds, such a move is undone.
    RECT startPlace_{};
    bool keepStartPlace_ = false;
};

} // namespace qlx::win

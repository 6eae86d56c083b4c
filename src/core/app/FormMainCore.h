// The main window's decisions over the program state: the creation sequence, the first show,
// the program's internal commands, ShowPanel and the close-once rule. The window layer only
// translates messages into these calls.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/ApplicationPort.h"
#include "app/FormMainSteps.h"
#include "panel/PanelWindowPort.h"
#include "state/ProgramCommands.h"
#include "state/ProgramState.h"

namespace qlx {

class FormMainCore {
public:
    // state: the program state the features share; app and panel: the shell's; steps: the
    // features' (the program carries them out).
    FormMainCore(ProgramState& state, ApplicationPort& app, PanelWindowPort& panel,
                 FormMainSteps& steps)
        : state_(state), app_(app), panel_(panel), steps_(steps) {}

    // The creation sequence's own flags.
    bool FirstShowPending = true;
    bool StartedAutomatically = false;
    bool MinimizeAtStart = false;
    bool StartupPending = false;
    bool HotKeyFailed = false; // the shortcut was refused at creation (it stays chosen)
    // A second start's request is being carried out.
    bool InstanceRequestPending = false;

    // The creation sequence; args are the user's words without the program file. The steps a
    // user cannot see before the panel shows (the tray icon, the definitions download, the
    // drop target with the DDE name) are FinishCreation, which the first show posts.
    void FormCreate(const std::vector<std::string>& args, const std::string& programFolder);
    void FinishCreation();
    void FormShow();
    void FormActivate();
    void TimerStartupTimer();
    void ApplicationEvents1Deactivate();
    // Runs its work once per process and always allows closing.
    bool FormCloseQuery();
    // The registered message; returns the reply.
    intptr_t UniqueProductMessage(uintptr_t wParam, intptr_t lParam, uint32_t messageNumber);
    void ShowPanel(bool lookup);
    // The lookup shortcut was pressed: the program comes forward and, unless the open settings
    // window takes the shortcut or a dialog is open, looks the clipboard (or the selection)
    // up.
    void HotKey();

private:
    enum class PanelLookup { none, clipboard, shortcutText };
    void showPanel(PanelLookup lookup);

    ProgramState& state_;
    ApplicationPort& app_;
    PanelWindowPort& panel_;
    FormMainSteps& steps_;
    bool closeDone_ = false;
};

} // namespace qlx

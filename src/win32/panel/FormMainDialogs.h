// The main window's dialogs and pages: the program's message dialog, the shell's open action,
// the panel's open button, the program's information page and the first start's welcome.
#pragma once

#include "win32/panel/PanelMessages.h"
#include "win32/system/ShellOpen.h"

namespace qlx::win {

class TFormMain;

class FormMainDialogs {
public:
    explicit FormMainDialogs(TFormMain& form) : form_(form), messages_(form) {}

    // The shell's open action and the program's message dialog, for every feature.
    ShellOpenPort& shellPort();
    MessageWinPort& messagePort() { return messages_; }
    // The panel's open button: the bare lookup page, then the buttons go.
    void imageOpenClick();
    void openProgramInfoPage();
    // The first start: the welcome window, then the chosen mode's information page.
    void welcomeFlow();

private:
    TFormMain& form_;
    ShellOpen shellOpen_;
    PanelMessages messages_;
};

} // namespace qlx::win

// What every modal window of the program does while it runs: the program's other windows are
// disabled, the window is in the application's list of open windows (so a second start or the
// shortcut can bring it forward), and its keyboard cues follow the input.
#pragma once

#include <windows.h>

#include <vector>

#include "forms/KeyboardCues.h"

namespace qlx::win {

// Disables the program's other windows while a modal window runs (the hidden application
// window stays usable so the taskbar button still works) and enables them again.
class DisabledWindows {
public:
    explicit DisabledWindows(HWND dialog);
    ~DisabledWindows();
    DisabledWindows(const DisabledWindows&) = delete;
    DisabledWindows& operator=(const DisabledWindows&) = delete;

private:
    static BOOL CALLBACK collect(HWND w, LPARAM self);
    HWND dialog_;
    std::vector<HWND> windows_;
};

// The input the program's message loops last took from the queue: a window opened right after
// a key shows its keyboard cues at once, one opened with the mouse shows none until the
// keyboard is used. (The system keeps no such memory that every version tells.)
void noteInput(UINT message);
bool lastInputFromKeyboard();
// Tells the system a window's keyboard cues (WM_CHANGEUISTATE), so that its fields and the
// system's own drawing follow them; its answer (WM_UPDATEUISTATE) then finds them as they are.
void tellUiState(HWND window, const KeyboardCues& cues);

class RegisteredForm {
public:
    explicit RegisteredForm(HWND form);
    ~RegisteredForm();
    RegisteredForm(const RegisteredForm&) = delete;
    RegisteredForm& operator=(const RegisteredForm&) = delete;

private:
    HWND form_;
};

} // namespace qlx::win

// The main window's definitions download: starting it, the retry timer, and the completion
// step on the GUI thread.
#pragma once

#include <windows.h>

#include "win32/definitions/ReadDefinitionsThread.h"
#include "definitions/DefinitionsRetry.h"

namespace qlx::win {

class TFormMain;

class FormMainDefinitions {
public:
    explicit FormMainDefinitions(TFormMain& form) : form_(form) {}

    // The retry timer, and dropping late downloads when the window goes.
    bool message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    void StartReadDefinitions(bool reportErrors);
    void TimerReadDefinitionsTimer();
    // The completion step of every download, on the GUI thread while its worker waits.
    void ReadDefinitionsDone(TReadDefinitionsThread& thread);
    const DefinitionsRetry& retry() const { return readDefinitions_; }

private:
    TFormMain& form_;
    DefinitionsRetry readDefinitions_;
};

} // namespace qlx::win

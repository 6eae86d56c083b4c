// The definitions download on Windows: its worker thread, whose result the GUI thread hands to
// the program, and the retry timer on the main window.
#pragma once

#include <windows.h>

#include "win32/definitions/ReadDefinitionsThread.h"
#include "definitions/DefinitionsDownloadPort.h"

namespace qlx::win {

class TFormMain;

class FormMainDefinitions final : public DefinitionsDownloadPort {
public:
    explicit FormMainDefinitions(TFormMain& form) : form_(form) {}

    // The retry timer, and dropping late downloads when the window goes.
    bool message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // DefinitionsDownloadPort
    DefinitionsServer server() override;
    bool startDownload(const DefinitionsServer& server, bool settingsFileMissing,
                       bool reportErrors) override;
    void startRetryTimer(uint32_t periodMs) override;
    void stopRetryTimer() override;

private:
    TFormMain& form_;
};

} // namespace qlx::win

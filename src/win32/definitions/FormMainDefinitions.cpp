// The definitions download on the main window: its worker, the retry timer and the hand-over
// of each result to the program on the GUI thread.
#include "win32/definitions/FormMainDefinitions.h"

#include <string>

#include "win32/app/FormMain.h"
#include "win32/system/Encoding.h"
#include "definitions/DefinitionsServer.h"

namespace qlx::win {

namespace {

constexpr UINT_PTR kTimerReadDefinitions = 40;

// The dictionary's server, or the one QUIKLEX_DEFINITIONS_SERVER names (test servers).
DefinitionsServer serverFromEnvironment() {
    wchar_t value[300];
    DWORD n = GetEnvironmentVariableW(L"QUIKLEX_DEFINITIONS_SERVER", value, 300);
    if (n == 0 || n >= 300) return definitionsServer(std::nullopt);
    const std::string text = narrow(std::wstring_view(value, n));
    return definitionsServer(std::string_view(text));
}

// The completion step of every download, on the GUI thread while its worker waits.
void readDefinitionsDone(TReadDefinitionsThread& thread) {
    if (TFormMain* form = TFormMain::instance())
        form->program().definitionsDone(thread.download(), thread.reportErrors(), thread.server());
}

} // namespace

DefinitionsServer FormMainDefinitions::server() { return serverFromEnvironment(); }

bool FormMainDefinitions::startDownload(const DefinitionsServer& server, bool settingsFileMissing,
                                        bool reportErrors) {
    TReadDefinitionsThread::setDoneHandler(readDefinitionsDone);
    return TReadDefinitionsThread::Start(server, settingsFileMissing, reportErrors);
}

void FormMainDefinitions::startRetryTimer(uint32_t periodMs) {
    SetTimer(form_.handle(), kTimerReadDefinitions, periodMs, nullptr);
}

void FormMainDefinitions::stopRetryTimer() { KillTimer(form_.handle(), kTimerReadDefinitions); }

bool FormMainDefinitions::message(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    switch (msg) {
    case WM_TIMER:
        if (wParam != kTimerReadDefinitions) return false;
        form_.program().definitionsRetryTimer();
        result = 0;
        return true;
    case WM_DESTROY:
        // A download that ends from now on is dropped; nothing waits for it.
        TReadDefinitionsThread::setDoneHandler(nullptr);
        KillTimer(form_.handle(), kTimerReadDefinitions);
        return false;
    default:
        return false;
    }
}

} // namespace qlx::win

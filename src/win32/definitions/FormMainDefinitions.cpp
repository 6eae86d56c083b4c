// The definitions download on the main window: starting it, the retry timer, and the completion
// step that applies the page addresses and takes the news messages over on the GUI thread.
#include "win32/app/FormMain.h"

#include <string>

#include "win32/system/Encoding.h"
#include "definitions/DefinitionsDocument.h"
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

void readDefinitionsDone(TReadDefinitionsThread& thread) {
    if (TFormMain* form = TFormMain::instance()) form->ReadDefinitionsDone(thread);
}

} // namespace

void TFormMain::StartReadDefinitions(bool reportErrors) {
    static const DefinitionsServer server = serverFromEnvironment();
    TReadDefinitionsThread::setDoneHandler(readDefinitionsDone);
    readDefinitions_.StartReadDefinitions();
    if (!TReadDefinitionsThread::Start(server, state_.SettingsFileMissing, reportErrors)) {
        // No thread: the download ends here as a general failure, and the timer retries.
        readDefinitions_.ReadDefinitionsDone(kDefinitionsFailed, false, server);
    }
    SetTimer(hwnd_, kTimerReadDefinitions, DefinitionsRetry::kPeriodMs, nullptr);
}

void TFormMain::TimerReadDefinitionsTimer() {
    if (!readDefinitions_.timerEnabled()) {
        KillTimer(hwnd_, kTimerReadDefinitions);
        return;
    }
    // Waits while a download runs; at most five retries, none after a broken document.
    if (readDefinitions_.TimerReadDefinitionsTimer(hasReceivedMessages())) StartReadDefinitions(false);
}

void TFormMain::ReadDefinitionsDone(TReadDefinitionsThread& thread) {
    DefinitionsDownload& download = thread.download();
    // In document order, also those found before an XML error.
    applyTemplateReplacements(state_.Templates, download.replacements);
    DefinitionsCompletion done =
        readDefinitions_.ReadDefinitionsDone(download.status, thread.reportErrors(), thread.server());
    if (done.success) {
        KillTimer(hwnd_, kTimerReadDefinitions);
        messageStore_.receive(std::move(download.messages));
        download.messages.reset();
        if (messageStore_.hasReceived()) showNewMessages();
    } else if (done.showFailure) {
        showMessage(done.failureText);
    }
}

bool TFormMain::definitionsMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    switch (msg) {
    case WM_TIMER:
        if (wParam != kTimerReadDefinitions) return false;
        TimerReadDefinitionsTimer();
        result = 0;
        return true;
    case WM_DESTROY:
        // A download that ends from now on is dropped; nothing waits for it.
        TReadDefinitionsThread::setDoneHandler(nullptr);
        KillTimer(hwnd_, kTimerReadDefinitions);
        return false;
    default:
        return false;
    }
}

} // namespace qlx::win

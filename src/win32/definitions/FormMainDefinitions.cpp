// The definitions download on the main window: starting it, the retry timer, and the completion
// step that applies the page addresses and takes the news messages over on the GUI thread.
#include "win32/definitions/FormMainDefinitions.h"

#include <string>

#include "win32/app/FormMain.h"
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
    if (TFormMain* form = TFormMain::instance()) form->definitions().ReadDefinitionsDone(thread);
}

} // namespace

void FormMainDefinitions::StartReadDefinitions(bool reportErrors) {
    static const DefinitionsServer server = serverFromEnvironment();
    TReadDefinitionsThread::setDoneHandler(readDefinitionsDone);
    readDefinitions_.StartReadDefinitions();
    if (!TReadDefinitionsThread::Start(server, form_.state().SettingsFileMissing, reportErrors)) {
        // No thread: the download ends here as a general failure, and the timer retries.
        readDefinitions_.ReadDefinitionsDone(kDefinitionsFailed, false, server);
    }
    SetTimer(form_.handle(), kTimerReadDefinitions, DefinitionsRetry::kPeriodMs, nullptr);
}

void FormMainDefinitions::TimerReadDefinitionsTimer() {
    if (!readDefinitions_.timerEnabled()) {
        KillTimer(form_.handle(), kTimerReadDefinitions);
        return;
    }
    // Waits while a download runs; at most five retries, none after a broken document.
    if (readDefinitions_.TimerReadDefinitionsTimer(form_.hasReceivedMessages()))
        StartReadDefinitions(false);
}

void FormMainDefinitions::ReadDefinitionsDone(TReadDefinitionsThread& thread) {
    DefinitionsDownload& download = thread.download();
    // In document order, also those found before an XML error.
    applyTemplateReplacements(form_.state().Templates, download.replacements);
    DefinitionsCompletion done =
        readDefinitions_.ReadDefinitionsDone(download.status, thread.reportErrors(), thread.server());
    if (done.success) {
        KillTimer(form_.handle(), kTimerReadDefinitions);
        MessageStore& store = form_.messages().store();
        store.receive(std::move(download.messages));
        download.messages.reset();
        if (store.hasReceived()) form_.showNewMessages();
    } else if (done.showFailure) {
        form_.showMessage(done.failureText);
    }
}

bool FormMainDefinitions::message(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    switch (msg) {
    case WM_TIMER:
        if (wParam != kTimerReadDefinitions) return false;
        TimerReadDefinitionsTimer();
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

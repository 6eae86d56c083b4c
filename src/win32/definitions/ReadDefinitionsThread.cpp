// The definitions download thread. The worker never touches the main window: it marks its
// result complete and wakes a message-only window of the GUI thread with a blocking
// SendMessage, so the completion step runs on the GUI thread while the worker waits, without
// locks. The message carries no pointer: the GUI thread takes over only the workers it started
// itself, so a message from another program cannot hand it anything.
#include "win32/definitions/ReadDefinitionsThread.h"

#include <memory>

#include "win32/system/MessageWindow.h"
#include "win32/system/WinsockConnection.h"

namespace qlx::win {

namespace {

constexpr UINT kMsgReadDefinitionsDone = WM_APP + 40;

// Process-wide; trivially destructible, so a worker still running at exit finds it intact.
HttpVersionCounter versionCounter;

// GUI thread only. The hand-over window lives as long as the GUI thread (it is never
// destroyed), so a worker never sends to a destroyed window; whether the main window still
// wants the result is decided there, on the GUI thread.
HWND handOverWindow = nullptr;
TReadDefinitionsThread::DoneHandler doneHandler = nullptr;
DefinitionsHandOver<TReadDefinitionsThread> workers;

LRESULT CALLBACK handOverProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kMsgReadDefinitionsDone) {
        // Whoever sent it, only the finished workers this thread started are taken over; each
        // waits in its SendMessage (or is about to) until this returns.
        try {
            for (TReadDefinitionsThread* thread : workers.takeFinished()) {
                if (doneHandler == nullptr) continue;
                try {
                    doneHandler(*thread);
                } catch (...) {
                }
            }
        } catch (...) {
        }
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

bool makeHandOverWindow() {
    if (handOverWindow == nullptr)
        handOverWindow = createMessageWindow(L"TReadDefinitionsHandOver", handOverProc);
    return handOverWindow != nullptr;
}

} // namespace

void TReadDefinitionsThread::setDoneHandler(DoneHandler handler) { doneHandler = handler; }

bool TReadDefinitionsThread::Start(const DefinitionsServer& server, bool settingsFileMissing,
                                   bool reportErrors) {
    if (!makeHandOverWindow()) return false;
    std::unique_ptr<TReadDefinitionsThread> thread(
        new TReadDefinitionsThread(server, settingsFileMissing, reportErrors));
    workers.add(thread.get());
    HANDLE handle = CreateThread(nullptr, 0, threadEntry, thread.get(), 0, nullptr);
    if (handle == nullptr) {
        workers.remove(thread.get());
        return false;
    }
    thread.release(); // the worker frees itself
    // Nobody waits for or stops a running download.
    CloseHandle(handle);
    return true;
}

DWORD WINAPI TReadDefinitionsThread::threadEntry(void* self) {
    std::unique_ptr<TReadDefinitionsThread> thread(static_cast<TReadDefinitionsThread*>(self));
    try {
        thread->Execute();
    } catch (...) {
        thread->download_.status = kDefinitionsFailed;
    }
    // Blocks until the GUI thread has run the completion step. Should the program end first,
    // the GUI thread no longer reads messages and the process ends this thread here.
    thread->handOver.finish();
    SendMessageW(handOverWindow, kMsgReadDefinitionsDone, 0, 0);
    return 0;
}

void TReadDefinitionsThread::Execute() {
    WinsockConnection connection;
    download_ = qlx::Execute(connection, server_, versionCounter, settingsFileMissing_);
}

} // namespace qlx::win

// TReadDefinitionsThread: one definitions download on a thread of its own that frees itself,
// and the synchronous hand-over of its result to the GUI thread.
#pragma once

#include <windows.h>

#include "definitions/DefinitionsExchange.h"
#include "definitions/DefinitionsHandOver.h"
#include "definitions/DefinitionsServer.h"

namespace qlx::win {

class TReadDefinitionsThread {
public:
    // Runs on the GUI thread while the worker waits; may take the result's messages over.
    using DoneHandler = void (*)(TReadDefinitionsThread& thread);

    // GUI thread: where later completions go. nullptr drops every completion from now on (the
    // main window is going away); the workers then free their results themselves.
    static void setDoneHandler(DoneHandler handler);

    // GUI thread: starts one download. False when no thread could be started; nothing will
    // then be handed over for it.
    static bool Start(const DefinitionsServer& server, bool settingsFileMissing, bool reportErrors);

    const DefinitionsServer& server() const { return server_; }
    bool reportErrors() const { return reportErrors_; }
    DefinitionsDownload& download() { return download_; }

    // Set by the worker when its result is complete; read by the GUI thread.
    HandOverMark handOver;

private:
    TReadDefinitionsThread(const DefinitionsServer& server, bool settingsFileMissing, bool reportErrors)
        : server_(server), settingsFileMissing_(settingsFileMissing), reportErrors_(reportErrors) {}
    static DWORD WINAPI threadEntry(void* self);
    void Execute();

    const DefinitionsServer server_;
    const bool settingsFileMissing_;
    const bool reportErrors_;
    DefinitionsDownload download_;
};

} // namespace qlx::win

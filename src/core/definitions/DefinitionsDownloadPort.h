// The definitions download as the program starts it: a worker that fetches the document and
// hands its result to the GUI thread (Program::definitionsDone), and the retry timer.
#pragma once

#include <cstdint>

#include "definitions/DefinitionsServer.h"

namespace qlx {

class DefinitionsDownloadPort {
public:
    virtual ~DefinitionsDownloadPort() = default;
    // The dictionary's server, or a test server the environment names.
    virtual DefinitionsServer server() = 0;
    // False when no worker could be started.
    virtual bool startDownload(const DefinitionsServer& server, bool settingsFileMissing,
                               bool reportErrors) = 0;
    // The retry timer calls Program::definitionsRetryTimer.
    virtual void startRetryTimer(uint32_t periodMs) = 0;
    virtual void stopRetryTimer() = 0;
};

} // namespace qlx

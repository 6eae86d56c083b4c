// The definitions download on a worker thread, over a POSIX socket connection, with its
// result handed to the program on the GUI thread; and the retry timer.
#pragma once

#include <QObject>
#include <QTimer>

#include <memory>

#include "definitions/DefinitionsDownloadPort.h"
#include "definitions/DefinitionsExchange.h"

namespace qlx::qt {

class PanelMain;

class DefinitionsWorker final : public QObject, public DefinitionsDownloadPort {
public:
    explicit DefinitionsWorker(PanelMain& main);

    // The dictionary's server, or the one QUIKLEX_DEFINITIONS_SERVER names (test servers).
    DefinitionsServer server() override;
    bool startDownload(const DefinitionsServer& server, bool settingsFileMissing,
                       bool reportErrors) override;
    void startRetryTimer(uint32_t periodMs) override { retry_.start(static_cast<int>(periodMs)); }
    void stopRetryTimer() override { retry_.stop(); }

private:
    PanelMain& main_;
    QTimer retry_;
    // Shared with the workers, which may outlive the program's last window.
    std::shared_ptr<HttpVersionCounter> versions_ = std::make_shared<HttpVersionCounter>();
};

} // namespace qlx::qt

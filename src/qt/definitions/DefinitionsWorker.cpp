#include "qt/definitions/DefinitionsWorker.h"

#include <QCoreApplication>
#include <QPointer>

#include <cstdlib>
#include <thread>

#include "definitions/DefinitionsServer.h"
#include "qt/app/PanelMain.h"
#include "qt/system/PosixConnection.h"

namespace qlx::qt {

DefinitionsWorker::DefinitionsWorker(PanelMain& main) : main_(main) {
    connect(&retry_, &QTimer::timeout, this, [this] { main_.program().definitionsRetryTimer(); });
}

DefinitionsServer DefinitionsWorker::server() {
    const char* value = std::getenv(kDefinitionsServerVariable);
    if (value == nullptr || std::string_view(value).size() >= 300)
        return definitionsServer(std::nullopt);
    return definitionsServer(std::string_view(value));
}

bool DefinitionsWorker::startDownload(const DefinitionsServer& server, bool settingsFileMissing,
                                      bool reportErrors) {
    QPointer<DefinitionsWorker> self(this);
    try {
        std::thread([self, server, settingsFileMissing, reportErrors, versions = versions_] {
            PosixConnection connection;
            auto download = std::make_shared<DefinitionsDownload>(
                Execute(connection, server, *versions, settingsFileMissing));
            // To the GUI thread; dropped when the program has gone meanwhile.
            QMetaObject::invokeMethod(
                qApp,
                [self, download, server, reportErrors] {
                    if (self) self->main_.program().definitionsDone(*download, reportErrors, server);
                },
                Qt::QueuedConnection);
        }).detach();
    } catch (...) {
        return false;
    }
    return true;
}

} // namespace qlx::qt

// The definitions download on the worker thread: the HTTP exchange over a connection port,
// the header/body split and the walk over the document. It touches no main-window state.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "definitions/DefinitionsConnection.h"
#include "definitions/DefinitionsDocument.h"
#include "definitions/DefinitionsServer.h"

namespace qlx {

inline constexpr int kFirstByteTimeoutMs = 28000;
inline constexpr int kIoTimeoutMs = 30000;
// Name resolution and connecting together.
inline constexpr int kConnectTimeoutMs = 30000;
inline constexpr int kDownloadLimitMs = 60000; // the whole download, from resolving the name
inline constexpr size_t kMaxAnswerBytes = 1024 * 1024;
// Read from the socket up to this much at a time (where an answer ends does not depend on it).
inline constexpr size_t kReceiveChunk = 16 * 1024;

// Process-wide: the first two requests ask for HTTP/1.0, every later one for 1.1.
class HttpVersionCounter {
public:
    const char* next();

private:
    std::atomic<uint8_t> sentWith10_{0};
};

// The request bytes, with the single zero byte that follows the request on the wire.
std::string definitionsRequest(const DefinitionsServer& server, const char* version);

// What a download hands to the main window's completion step.
struct DefinitionsDownload {
    int32_t status = kDefinitionsFailed;
    std::vector<TemplateReplacement> replacements; // apply in order, whatever the status
    std::optional<ReceivedMessageList> messages;   // take over only on success
};

// Runs one download. settingsFileMissing is the main window's flag, read before the worker
// starts. Never throws; the connection is closed on return.
DefinitionsDownload Execute(DefinitionsConnection& connection, const DefinitionsServer& server,
                            HttpVersionCounter& versions, bool settingsFileMissing);

} // namespace qlx

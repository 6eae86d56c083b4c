// The definitions download's network connection: one blocking Winsock TCP client whose every
// wait is bounded by the time-out the download passes in.
#pragma once

#include <winsock2.h>

#include "definitions/DefinitionsConnection.h"

namespace qlx::win {

// Starts Winsock once per process; false when it is not available. Never cleaned up: a
// download thread may still be waiting on a socket when the program ends.
bool startWinsock();

class WinsockConnection final : public DefinitionsConnection {
public:
    WinsockConnection() = default;
    WinsockConnection(const WinsockConnection&) = delete;
    WinsockConnection& operator=(const WinsockConnection&) = delete;
    ~WinsockConnection() override { close(); }

    bool connect(const std::string& host, uint16_t port, int timeoutMs) override;
    bool send(std::string_view data, int timeoutMs) override;
    Received receive(char* buffer, size_t capacity, int timeoutMs) override;
    void close() override;
    int64_t nowMs() override;

private:
    // Waits for the socket to become readable (or writable); false on time-out or error.
    bool waitFor(bool readable, int timeoutMs, bool& failed);

    SOCKET socket_ = INVALID_SOCKET;
};

} // namespace qlx::win

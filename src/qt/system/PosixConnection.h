// The definitions download's connection over POSIX sockets: name resolution and connecting
// inside one time limit, non-blocking sends and receives that wait with poll.
#pragma once

#include "definitions/DefinitionsConnection.h"

namespace qlx::qt {

class PosixConnection final : public DefinitionsConnection {
public:
    ~PosixConnection() override { close(); }
    bool connect(const std::string& host, uint16_t port, int timeoutMs) override;
    bool send(std::string_view data, int timeoutMs) override;
    Received receive(char* buffer, size_t capacity, int timeoutMs) override;
    void close() override;
    int64_t nowMs() override;

private:
    int fd_ = -1;
};

} // namespace qlx::qt

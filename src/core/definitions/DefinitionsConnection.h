// The network connection the definitions download needs: one blocking TCP client connection
// with time-outs, and a monotonic clock for the download's overall limit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qlx {

class DefinitionsConnection {
public:
    enum class Receive { Data, Closed, TimedOut, Failed };
    struct Received {
        Receive result = Receive::Failed;
        size_t size = 0; // bytes placed in the buffer when result is Data (at least 1)
    };

    virtual ~DefinitionsConnection() = default;

    // Resolves the host and connects, waiting at most timeoutMs for both; false when no
    // connection could be made in that time.
    virtual bool connect(const std::string& host, uint16_t port, int timeoutMs) = 0;
    // Writes all of data, waiting at most timeoutMs; false on error or time-out.
    virtual bool send(std::string_view data, int timeoutMs) = 0;
    // Waits at most timeoutMs for data and reads up to capacity bytes of it. Closed: the
    // server closed the connection in order.
    virtual Received receive(char* buffer, size_t capacity, int timeoutMs) = 0;
    // Closes the connection if it is open; harmless otherwise.
    virtual void close() = 0;
    // Milliseconds from any fixed start, never going back.
    virtual int64_t nowMs() = 0;
};

} // namespace qlx

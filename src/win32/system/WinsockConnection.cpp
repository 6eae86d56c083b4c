// The Winsock side of the definitions download: name resolution, a blocking connect and reads
// and writes that wait no longer than the download allows.
#include "win32/system/WinsockConnection.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <climits>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace qlx::win {

bool startWinsock() {
    static std::once_flag once;
    static bool started = false;
    std::call_once(once, [] {
        WSADATA data;
        started = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    });
    return started;
}

namespace {

// A name lookup that the download waits for no longer than it may: the system's lookup has no
// time limit of its own, so it runs on a thread of its own, and a lookup that is given up on
// frees its answer itself when it ends.
class NameLookup {
public:
    static addrinfo* resolve(const std::string& host, uint16_t port, int timeoutMs) {
        auto shared = std::make_shared<NameLookup>();
        try {
            std::thread([shared, host, port] {
                addrinfo hints{};
                hints.ai_family = AF_UNSPEC;
                hints.ai_socktype = SOCK_STREAM;
                hints.ai_protocol = IPPROTO_TCP;
                addrinfo* found = nullptr;
                // The host holds only letters, digits, '-', '.' and '_', so it is the same in
                // ANSI and UTF-16.
                if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0)
                    found = nullptr;
                std::lock_guard<std::mutex> lock(shared->mutex_);
                if (shared->abandoned_) {
                    if (found) freeaddrinfo(found);
                    return;
                }
                shared->result_ = found;
                shared->done_ = true;
                shared->ready_.notify_one();
            }).detach();
        } catch (...) {
            return nullptr;
        }
        std::unique_lock<std::mutex> lock(shared->mutex_);
        if (!shared->ready_.wait_for(lock, std::chrono::milliseconds(std::max(timeoutMs, 0)),
                                     [&] { return shared->done_; })) {
            shared->abandoned_ = true;
            return nullptr;
        }
        return shared->result_;
    }

private:
    std::mutex mutex_;
    std::condition_variable ready_;
    bool done_ = false;
    bool abandoned_ = false;
    addrinfo* result_ = nullptr;
};

} // namespace

bool WinsockConnection::connect(const std::string& host, uint16_t port, int timeoutMs) {
    close();
    if (!startWinsock()) return false;
    const int64_t deadline = nowMs() + std::max(timeoutMs, 0);
    addrinfo* found = NameLookup::resolve(host, port, timeoutMs);
    if (!found) return false;
    for (addrinfo* a = found; a != nullptr && socket_ == INVALID_SOCKET; a = a->ai_next) {
        SOCKET s = ::socket(a->ai_family, a->ai_socktype, a->ai_protocol);
        if (s == INVALID_SOCKET) continue;
        // Connected without blocking, then waited for no longer than is left; the socket
        // blocks again afterwards (every later wait is a select of its own).
        u_long nonBlocking = 1;
        bool connected = ioctlsocket(s, FIONBIO, &nonBlocking) == 0 &&
                         (::connect(s, a->ai_addr, static_cast<int>(a->ai_addrlen)) == 0 ||
                          WSAGetLastError() == WSAEWOULDBLOCK);
        if (connected) {
            socket_ = s;
            bool failed = false;
            connected = waitFor(false, static_cast<int>(std::max<int64_t>(deadline - nowMs(), 0)),
                                failed);
            int error = 0;
            int length = sizeof error;
            connected = connected &&
                        getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error),
                                   &length) == 0 &&
                        error == 0;
            u_long blocking = 0;
            connected = connected && ioctlsocket(s, FIONBIO, &blocking) == 0;
            socket_ = INVALID_SOCKET;
        }
        if (connected)
            socket_ = s;
        else
            closesocket(s);
    }
    freeaddrinfo(found);
    return socket_ != INVALID_SOCKET;
}

bool WinsockConnection::waitFor(bool readable, int timeoutMs, bool& failed) {
    failed = false;
    fd_set set;
    FD_ZERO(&set);
    FD_SET(socket_, &set);
    fd_set errors;
    FD_ZERO(&errors);
    FD_SET(socket_, &errors);
    timeval limit{};
    timeoutMs = std::max(timeoutMs, 0);
    limit.tv_sec = timeoutMs / 1000;
    limit.tv_usec = (timeoutMs % 1000) * 1000;
    int n = ::select(0, readable ? &set : nullptr, readable ? nullptr : &set, &errors, &limit);
    if (n == SOCKET_ERROR || FD_ISSET(socket_, &errors)) {
        failed = true;
        return false;
    }
    return n > 0;
}

bool WinsockConnection::send(std::string_view data, int timeoutMs) {
    if (socket_ == INVALID_SOCKET) return false;
    const int64_t deadline = nowMs() + std::max(timeoutMs, 0);
    while (!data.empty()) {
        bool failed = false;
        if (!waitFor(false, static_cast<int>(std::max<int64_t>(deadline - nowMs(), 0)), failed)) return false;
        int chunk = static_cast<int>(std::min<size_t>(data.size(), INT_MAX));
        int sent = ::send(socket_, data.data(), chunk, 0);
        if (sent == SOCKET_ERROR || sent <= 0) return false;
        data.remove_prefix(static_cast<size_t>(sent));
    }
    return true;
}

DefinitionsConnection::Received WinsockConnection::receive(char* buffer, size_t capacity, int timeoutMs) {
    Received r;
    if (socket_ == INVALID_SOCKET || capacity == 0) return r;
    bool failed = false;
    if (!waitFor(true, timeoutMs, failed)) {
        r.result = failed ? Receive::Failed : Receive::TimedOut;
        return r;
    }
    int n = ::recv(socket_, buffer, static_cast<int>(std::min<size_t>(capacity, INT_MAX)), 0);
    if (n > 0) {
        r.result = Receive::Data;
        r.size = static_cast<size_t>(n);
    } else {
        r.result = n == 0 ? Receive::Closed : Receive::Failed;
    }
    return r;
}

void WinsockConnection::close() {
    if (socket_ != INVALID_SOCKET) {
        closesocket(socket_);
        socket_ = INVALID_SOCKET;
    }
}

int64_t WinsockConnection::nowMs() { return static_cast<int64_t>(GetTickCount64()); }

} // namespace qlx::win

#include "qt/system/PosixConnection.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <future>
#include <memory>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace qlx::qt {

namespace {

struct AddressList {
    addrinfo* list = nullptr;
    ~AddressList() {
        if (list) ::freeaddrinfo(list);
    }
};

// getaddrinfo has no time limit of its own: it runs on a thread of its own, which is left to
// finish by itself when the time is up.
std::shared_ptr<AddressList> resolve(const std::string& host, uint16_t port, int timeoutMs) {
    auto task = std::make_shared<std::packaged_task<std::shared_ptr<AddressList>()>>(
        [host, port] {
            auto result = std::make_shared<AddressList>();
            addrinfo hints{};
            hints.ai_family = AF_UNSPEC;
            hints.ai_socktype = SOCK_STREAM;
            const std::string service = std::to_string(port);
            if (::getaddrinfo(host.c_str(), service.c_str(), &hints, &result->list) != 0)
                result->list = nullptr;
            return result;
        });
    std::future<std::shared_ptr<AddressList>> answer = task->get_future();
    try {
        std::thread([task] { (*task)(); }).detach();
    } catch (...) {
        return nullptr;
    }
    if (answer.wait_for(std::chrono::milliseconds(timeoutMs)) != std::future_status::ready)
        return nullptr;
    return answer.get();
}

int waitFor(int fd, short events, int timeoutMs) {
    pollfd p{fd, events, 0};
    for (;;) {
        const int n = ::poll(&p, 1, timeoutMs);
        if (n < 0 && errno == EINTR) continue;
        return n;
    }
}

} // namespace

int64_t PosixConnection::nowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool PosixConnection::connect(const std::string& host, uint16_t port, int timeoutMs) {
    close();
    const int64_t deadline = nowMs() + timeoutMs;
    const std::shared_ptr<AddressList> addresses = resolve(host, port, timeoutMs);
    if (!addresses || !addresses->list) return false;
    for (addrinfo* a = addresses->list; a != nullptr; a = a->ai_next) {
        const int64_t left = deadline - nowMs();
        if (left <= 0) return false;
        const int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                                a->ai_protocol);
        if (fd < 0) continue;
        bool connected = ::connect(fd, a->ai_addr, a->ai_addrlen) == 0;
        if (!connected && errno == EINPROGRESS && waitFor(fd, POLLOUT, static_cast<int>(left)) > 0) {
            int error = 0;
            socklen_t size = sizeof error;
            connected = ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
        }
        if (connected) {
            fd_ = fd;
            return true;
        }
        ::close(fd);
    }
    return false;
}

bool PosixConnection::send(std::string_view data, int timeoutMs) {
    const int64_t deadline = nowMs() + timeoutMs;
    while (!data.empty()) {
        const ssize_t n = ::send(fd_, data.data(), data.size(), MSG_NOSIGNAL);
        if (n > 0) {
            data.remove_prefix(static_cast<size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            const int64_t left = deadline - nowMs();
            if (left <= 0 || waitFor(fd_, POLLOUT, static_cast<int>(left)) <= 0) return false;
            continue;
        }
        return false;
    }
    return true;
}

DefinitionsConnection::Received PosixConnection::receive(char* buffer, size_t capacity,
                                                         int timeoutMs) {
    if (fd_ < 0) return {Receive::Failed, 0};
    const int ready = waitFor(fd_, POLLIN, timeoutMs);
    if (ready == 0) return {Receive::TimedOut, 0};
    if (ready < 0) return {Receive::Failed, 0};
    for (;;) {
        const ssize_t n = ::recv(fd_, buffer, capacity, 0);
        if (n > 0) return {Receive::Data, static_cast<size_t>(n)};
        if (n == 0) return {Receive::Closed, 0};
        if (errno == EINTR) continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK) return {Receive::TimedOut, 0};
        return {Receive::Failed, 0};
    }
}

void PosixConnection::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

} // namespace qlx::qt

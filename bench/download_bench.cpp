// The definitions download (the core's HTTP exchange and the walk over the document, over
// POSIX sockets that behave like the Winsock adapter) against libcurl fetching the same
// document into memory from the same local server.
#include <arpa/inet.h>
#include <curl/curl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include "BenchDocuments.h"
#include "BenchRegistry.h"
#include "definitions/DefinitionsExchange.h"

namespace qlx::bench {
namespace {

// Like the program's Winsock adapter: blocking connect, every wait bounded by the time-out the
// exchange passes in, one recv of at most the exchange's chunk per receive.
class PosixConnection final : public DefinitionsConnection {
  public:
    ~PosixConnection() override { close(); }

    bool connect(const std::string& host, uint16_t port) override {
        close();
        addrinfo hints{};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        hints.ai_protocol = IPPROTO_TCP;
        addrinfo* found = nullptr;
        if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0 || !found)
            return false;
        for (addrinfo* a = found; a != nullptr; a = a->ai_next) {
            int s = ::socket(a->ai_family, a->ai_socktype, a->ai_protocol);
            if (s < 0) continue;
            if (::connect(s, a->ai_addr, a->ai_addrlen) == 0) {
                socket_ = s;
                break;
            }
            ::close(s);
        }
        freeaddrinfo(found);
        return socket_ >= 0;
    }

    bool send(std::string_view data, int timeoutMs) override {
        if (socket_ < 0) return false;
        const int64_t deadline = nowMs() + std::max(timeoutMs, 0);
        while (!data.empty()) {
            bool failed = false;
            if (!waitFor(POLLOUT, static_cast<int>(std::max<int64_t>(deadline - nowMs(), 0)),
                         failed))
                return false;
            ssize_t sent =
                ::send(socket_, data.data(), std::min<size_t>(data.size(), INT_MAX), MSG_NOSIGNAL);
            if (sent <= 0) return false;
            data.remove_prefix(static_cast<size_t>(sent));
        }
        return true;
    }

    Received receive(char* buffer, size_t capacity, int timeoutMs) override {
        Received r;
        if (socket_ < 0 || capacity == 0) return r;
        bool failed = false;
        if (!waitFor(POLLIN, timeoutMs, failed)) {
            r.result = failed ? Receive::Failed : Receive::TimedOut;
            return r;
        }
        ssize_t n = ::recv(socket_, buffer, std::min<size_t>(capacity, INT_MAX), 0);
        if (n > 0) {
            r.result = Receive::Data;
            r.size = static_cast<size_t>(n);
        } else {
            r.result = n == 0 ? Receive::Closed : Receive::Failed;
        }
        return r;
    }

    void close() override {
        if (socket_ >= 0) {
            ::close(socket_);
            socket_ = -1;
        }
    }

    int64_t nowMs() override {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }

  private:
    // The adapter's select() in poll() form: readable (or writable), time-out or error.
    bool waitFor(short events, int timeoutMs, bool& failed) {
        failed = false;
        pollfd p{socket_, events, 0};
        int n = ::poll(&p, 1, std::max(timeoutMs, 0));
        if (n < 0 || (p.revents & (POLLERR | POLLNVAL))) {
            failed = true;
            return false;
        }
        return n > 0;
    }

    int socket_ = -1;
};

// A local HTTP server on its own thread: one connection at a time, the document with its
// length, then the connection is closed in order (what the client still sends is drained
// first, so the close is never a reset).
class LocalServer {
  public:
    explicit LocalServer(const std::string& body) {
        answer_ = "HTTP/1.0 200 OK\r\nContent-Type: text/xml\r\nContent-Length: " +
                  std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        int yes = 1;
        setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            ::listen(listener_, 16) != 0 ||
            getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            std::perror("local server");
            std::abort();
        }
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { serve(); });
        thread_.detach(); // lives as long as the process
    }
    uint16_t port() const { return port_; }

  private:
    void serve() {
        for (;;) {
            int client = ::accept(listener_, nullptr, nullptr);
            if (client < 0) continue;
            std::string request;
            char buffer[4096];
            while (request.find("\r\n\r\n") == std::string::npos) {
                ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
                if (n <= 0) break;
                request.append(buffer, static_cast<size_t>(n));
            }
            for (size_t sent = 0; sent < answer_.size();) {
                ssize_t n =
                    ::send(client, answer_.data() + sent, answer_.size() - sent, MSG_NOSIGNAL);
                if (n <= 0) break;
                sent += static_cast<size_t>(n);
            }
            ::shutdown(client, SHUT_WR);
            while (::recv(client, buffer, sizeof buffer, 0) > 0) {
            }
            ::close(client);
        }
    }

    std::string answer_;
    int listener_ = -1;
    uint16_t port_ = 0;
    std::thread thread_;
};

size_t curlAppend(char* data, size_t size, size_t count, void* user) {
    static_cast<std::string*>(user)->append(data, size * count);
    return size * count;
}

// The program's download: a fresh connection and version counter each time, so every request
// is the first of its process (HTTP/1.0), and the walk as after a normal start.
Run quiklexDownload(size_t bytes) {
    auto server = std::make_shared<LocalServer>(definitionsDocument(bytes));
    return [server] {
        PosixConnection connection;
        HttpVersionCounter versions;
        DefinitionsDownload d =
            Execute(connection, DefinitionsServer{"127.0.0.1", server->port()}, versions, false);
        if (d.status != kDefinitionsOk || !d.messages) {
            std::fprintf(stderr, "download failed with status %d\n", d.status);
            std::abort();
        }
        size_t sum = d.replacements.size();
        for (const ReceivedMessage& m : *d.messages)
            sum += m.text.size();
        return sum;
    };
}

// libcurl's easy interface with one reused handle (its fastest use), asking for HTTP/1.0 like
// the program; the body lands in a fresh string each time, as the program's answer does.
Run curlDownload(size_t bytes) {
    auto server = std::make_shared<LocalServer>(definitionsDocument(bytes));
    curl_global_init(CURL_GLOBAL_DEFAULT);
    std::shared_ptr<CURL> handle(curl_easy_init(), curl_easy_cleanup);
    const std::string url = "http://127.0.0.1:" + std::to_string(server->port()) + kDefinitionsPath;
    curl_easy_setopt(handle.get(), CURLOPT_URL, url.c_str()); // curl keeps its own copy
    curl_easy_setopt(handle.get(), CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_0);
    curl_easy_setopt(handle.get(), CURLOPT_WRITEFUNCTION, curlAppend);
    return [server, handle] {
        std::string body;
        curl_easy_setopt(handle.get(), CURLOPT_WRITEDATA, &body);
        if (curl_easy_perform(handle.get()) != CURLE_OK) {
            std::fprintf(stderr, "curl failed\n");
            std::abort();
        }
        return body.size();
    };
}

// The walk alone over the same document, to show how much of the download it is.
Run quiklexWalk(size_t bytes) {
    auto document = std::make_shared<std::string>(definitionsDocument(bytes));
    return [document] {
        TXmlReaderSimple reader{std::string_view(*document)};
        DefinitionsParseResult parsed = ParseDefinitions(reader, false);
        if (parsed.status != kDefinitionsOk || !parsed.messages) std::abort();
        return parsed.messages->size();
    };
}

constexpr size_t kRealisticBytes = 4 << 10;
constexpr size_t kLargeBytes = 500 << 10;

AddWorkload smallQuiklex("download_4k/quiklex", kRealisticBytes,
                         [] { return quiklexDownload(kRealisticBytes); });
AddWorkload smallCurl("download_4k/curl", kRealisticBytes,
                      [] { return curlDownload(kRealisticBytes); });
AddWorkload largeQuiklex("download_500k/quiklex", kLargeBytes,
                         [] { return quiklexDownload(kLargeBytes); });
AddWorkload largeCurl("download_500k/curl", kLargeBytes, [] { return curlDownload(kLargeBytes); });

AddWorkload largeWalk("walk_500k/quiklex", kLargeBytes, [] { return quiklexWalk(kLargeBytes); });

} // namespace
} // namespace qlx::bench

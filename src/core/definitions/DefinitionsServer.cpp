// The definitions server's address and its override for test servers.
#include "definitions/DefinitionsServer.h"

#include "state/PageTemplates.h"

namespace qlx {

namespace {
// Letters, digits, "-", "." and "_": a host name or an IPv4 address, nothing that could change
// the request line or the address.
bool isHostByte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_';
}
} // namespace

std::string DefinitionsServer::authority() const {
    return port == 80 ? host : host + ":" + std::to_string(port);
}

std::string DefinitionsServer::documentAddress() const {
    return "http://" + authority() + kDefinitionsPath;
}

std::optional<DefinitionsServer> parseDefinitionsServer(std::string_view value) {
    DefinitionsServer server;
    size_t colon = value.find(':');
    std::string_view host = value.substr(0, colon);
    if (host.empty() || host.size() > 253) return std::nullopt;
    for (char c : host)
        if (!isHostByte(c)) return std::nullopt;
    server.host = std::string(host);
    if (colon != std::string_view::npos) {
        std::string_view port = value.substr(colon + 1);
        if (port.empty() || port.size() > 5) return std::nullopt;
        uint32_t number = 0;
        for (char c : port) {
            if (c < '0' || c > '9') return std::nullopt;
            number = number * 10 + static_cast<uint32_t>(c - '0');
        }
        if (number == 0 || number > 65535) return std::nullopt;
        server.port = static_cast<uint16_t>(number);
    }
    return server;
}

DefinitionsServer definitionsServer(std::optional<std::string_view> environmentValue) {
    if (environmentValue) {
        if (auto server = parseDefinitionsServer(*environmentValue)) return *server;
    }
    return DefinitionsServer{kDictionaryHost, 80};
}

} // namespace qlx

// Where the definitions document is fetched from: the dictionary's web server on port 80, or
// the host (and port) that QUIKLEX_DEFINITIONS_SERVER names, for test servers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qlx {

inline constexpr const char* kDefinitionsServerVariable = "QUIKLEX_DEFINITIONS_SERVER";
inline constexpr const char* kDefinitionsPath = "/quiklex/definitions.xml";

struct DefinitionsServer {
    std::string host;
    uint16_t port = 80;

    // The host as the "Host" line and the failure texts name it: with ":port" unless 80.
    std::string authority() const;
    // "http://" + authority + the document's path.
    std::string documentAddress() const;
    bool operator==(const DefinitionsServer&) const = default;
};

// "host" or "host:port" (port 1-65535, decimal). Anything else gives no value.
std::optional<DefinitionsServer> parseDefinitionsServer(std::string_view value);

// The dictionary's server, unless the environment value (absent: no variable) names a valid
// other one.
DefinitionsServer definitionsServer(std::optional<std::string_view> environmentValue);

} // namespace qlx

// The web-address check before anything is handed to the shell: one pass over the address,
// scheme, host, port and the rest in turn.
#include "lookup/PageAddressCheck.h"

#include <cstdint>

#include "Text.h"

namespace qlx {

namespace {

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && equalsNoCase(text.substr(0, prefix.size()), prefix);
}

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool isHostCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '-';
}

// A byte that may stand as it is after the host: printable ASCII without the blank and the
// characters that break out of a quoted command line or that browsers read differently.
bool isPathCharacter(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte >= 0x7F) return false;
    switch (c) {
    case '"':
    case '<':
    case '>':
    case '\\':
    case '^':
    case '`':
    case '{':
    case '|':
    case '}':
        return false;
    default:
        return true;
    }
}

struct ParsedAddress {
    std::string_view host;
    bool hostClosed = false; // a path, query or fragment follows the host and port
};

enum class Prefix { None, Gcf, Either };

std::optional<ParsedAddress> parse(std::string_view address, Prefix prefix) {
    if (address.size() > kMaxPageAddressLength) return std::nullopt;
    const bool gcf = startsWithNoCase(address, "gcf:");
    if (gcf != (prefix == Prefix::Gcf) && prefix != Prefix::Either) return std::nullopt;
    if (gcf) address.remove_prefix(4);
    if (startsWithNoCase(address, "http://"))
        address.remove_prefix(7);
    else if (startsWithNoCase(address, "https://"))
        address.remove_prefix(8);
    else
        return std::nullopt;

    size_t i = 0;
    while (i < address.size() && isHostCharacter(address[i]))
        ++i;
    if (i == 0) return std::nullopt;
    const std::string_view host = address.substr(0, i);
    if (i < address.size() && address[i] == ':') {
        const size_t portStart = ++i;
        uint32_t port = 0;
        while (i < address.size() && address[i] >= '0' && address[i] <= '9' && port <= 65535)
            port = port * 10 + static_cast<uint32_t>(address[i++] - '0');
        if (i == portStart || port > 65535) return std::nullopt;
    }
    // The host ends where the path, the query or the fragment begins: anything else here (an
    // "@" of user information, a backslash, a sixth port digit) is refused.
    if (i < address.size() && address[i] != '/' && address[i] != '?' && address[i] != '#')
        return std::nullopt;
    const bool hostClosed = i < address.size();
    for (; i < address.size(); ++i) {
        const char c = address[i];
        if (!isPathCharacter(c)) return std::nullopt;
        if (c == '%') {
            if (i + 2 >= address.size() || !isHexDigit(address[i + 1]) ||
                !isHexDigit(address[i + 2]))
                return std::nullopt;
            i += 2;
        }
    }
    return ParsedAddress{host, hostClosed};
}

} // namespace

bool isAllowedPageAddress(std::string_view address) {
    return parse(address, Prefix::None).has_value();
}

bool isAllowedChromeFrameAddress(std::string_view address) {
    return parse(address, Prefix::Gcf).has_value();
}

bool pageAddressHostClosed(std::string_view address) {
    const std::optional<ParsedAddress> parsed = parse(address, Prefix::Either);
    return parsed && parsed->hostClosed;
}

std::optional<std::string> pageAddressHost(std::string_view address) {
    const std::optional<ParsedAddress> parsed = parse(address, Prefix::Either);
    if (!parsed) return std::nullopt;
    return lowerAscii(parsed->host);
}

} // namespace qlx

// Escaping a search text and building the lookup address.
#include "lookup/LookupAddress.h"

namespace qlx {

namespace {
const char kHexDigits[] = "0123456789ABCDEF";

void appendHexByte(std::string& out, unsigned int byte) {
    out += '%';
    out += kHexDigits[(byte >> 4) & 0xF];
    out += kHexDigits[byte & 0xF];
}

bool isUnreserved(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           c == '-' || c == '.' || c == '_' || c == '~';
}

// The letters of 0x80-0x9F that have a place in the table, with the second byte of their
// UTF-8 form (the first is 0xC5).
struct LatinExtended {
    unsigned char letter;
    unsigned char second;
};
constexpr LatinExtended kLatinExtended[] = {
    {0x8A, 0xA0}, {0x8C, 0x92}, {0x8E, 0xBD}, {0x9A, 0xA1},
    {0x9C, 0x93}, {0x9E, 0xBE}, {0x9F, 0xB8},
};
} // namespace

std::string letterEscape(unsigned char letter) {
    std::string out;
    if (letter >= 0xC0) {
        // × ÷ Þ ß þ are not letters the dictionary's addresses take.
        if (letter == 0xD7 || letter == 0xF7 || letter == 0xDE || letter == 0xDF ||
            letter == 0xFE)
            return out;
        appendHexByte(out, 0xC3);
        appendHexByte(out, letter - 0x40u);
        return out;
    }
    for (const LatinExtended& e : kLatinExtended) {
        if (e.letter == letter) {
            appendHexByte(out, 0xC5);
            appendHexByte(out, e.second);
            break;
        }
    }
    return out;
}

std::string lookupFragment(std::string_view searchText) {
    std::string fragment;
    bool hasWord = false;
    bool hasForeign = false;
    for (char c : searchText) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20) continue;
        if (byte == ' ' || byte == '+') {
            appendHexByte(fragment, byte);
        } else if (byte < 0x7F) {
            // Only the unreserved characters stand as they are: a quote, "%", "#", a backslash
            // or "<" in the selected text must not end the address or change what it means.
            if (isUnreserved(c))
                fragment += c;
            else
                appendHexByte(fragment, byte);
            hasWord = true;
        } else if (std::string escape = letterEscape(byte); !escape.empty()) {
            fragment += escape;
            hasWord = true;
        } else {
            fragment += '?';
            hasForeign = true;
        }
    }
    if (!hasWord) return std::string();
    if (hasForeign) fragment += '*';
    fragment += '/';
    return fragment;
}

std::string lookupAddress(std::string_view searchText, std::string_view pageTemplate,
                          const PageTemplates& templates, bool useChromeFrame) {
    std::string address =
        pageTemplate.empty() ? templates.lookup(useChromeFrame) : std::string(pageTemplate);
    address += lookupFragment(searchText);
    return address;
}

} // namespace qlx

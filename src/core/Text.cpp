// Text helpers of the core.
#include "Text.h"

#include <array>

namespace qlx {

namespace {
// Unicode code points of Windows-1252's bytes 0x80-0x9F (0 where the code page has none).
constexpr std::array<uint16_t, 32> kHighBytes = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};
} // namespace

std::string lowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

std::optional<int32_t> parseInteger(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    unsigned base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size()) return std::nullopt;
    uint64_t value = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        unsigned digit;
        if (c >= '0' && c <= '9') digit = static_cast<unsigned>(c - '0');
        else if (base == 16 && c >= 'a' && c <= 'f') digit = static_cast<unsigned>(c - 'a' + 10);
        else if (base == 16 && c >= 'A' && c <= 'F') digit = static_cast<unsigned>(c - 'A' + 10);
        else return std::nullopt;
        value = value * base + digit;
        // Hexadecimal may spell any 32-bit pattern; decimal must fit the signed range.
        if (value > 0xFFFFFFFFull) return std::nullopt;
    }
    if (base == 16) {
        auto bits = static_cast<uint32_t>(value);
        auto v = static_cast<int32_t>(bits);
        return negative ? static_cast<int32_t>(0u - bits) : v;
    }
    if (negative) {
        if (value > 2147483648ull) return std::nullopt;
        return static_cast<int32_t>(-static_cast<int64_t>(value));
    }
    if (value > 2147483647ull) return std::nullopt;
    return static_cast<int32_t>(value);
}

int compareBytes(std::string_view a, std::string_view b) {
    size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

int windows1252Byte(uint32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<int>(code);
    for (size_t i = 0; i < kHighBytes.size(); ++i)
        if (kHighBytes[i] != 0 && kHighBytes[i] == code) return static_cast<int>(0x80 + i);
    return -1;
}

uint32_t windows1252Code(unsigned char byte) {
    if (byte < 0x80 || byte >= 0xA0 || kHighBytes[byte - 0x80] == 0) return byte;
    return kHighBytes[byte - 0x80];
}

void appendUtf8Escapes(std::string& out, uint32_t code) {
    static const char kHex[] = "0123456789ABCDEF";
    unsigned char bytes[4];
    int n = 0;
    if (code < 0x800) {
        bytes[n++] = static_cast<unsigned char>(0xC0 | (code >> 6));
    } else if (code < 0x10000) {
        bytes[n++] = static_cast<unsigned char>(0xE0 | (code >> 12));
        bytes[n++] = static_cast<unsigned char>(0x80 | ((code >> 6) & 0x3F));
    } else {
        bytes[n++] = static_cast<unsigned char>(0xF0 | (code >> 18));
        bytes[n++] = static_cast<unsigned char>(0x80 | ((code >> 12) & 0x3F));
        bytes[n++] = static_cast<unsigned char>(0x80 | ((code >> 6) & 0x3F));
    }
    bytes[n++] = static_cast<unsigned char>(0x80 | (code & 0x3F));
    for (int i = 0; i < n; ++i) {
        out += '%';
        out += kHex[bytes[i] >> 4];
        out += kHex[bytes[i] & 0xF];
    }
}

} // namespace qlx

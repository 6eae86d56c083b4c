// Turning a UTF-8 definitions document into Windows-1252, in one pass.
#include "definitions/DocumentEncoding.h"

#include <cstdint>

#include "Text.h"

namespace qlx {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr uint32_t kReplacement = 0xFFFD;

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

bool isContinuation(unsigned char b, unsigned char low = 0x80, unsigned char high = 0xBF) {
    return b >= low && b <= high;
}

// The character at pos, which is past its last byte afterwards. A broken sequence gives
// U+FFFD and is consumed as far as it was a valid beginning (at least one byte), so that
// overlong forms, surrogates and values past U+10FFFF never decode.
uint32_t nextCharacter(std::string_view s, size_t& pos) {
    const auto lead = static_cast<unsigned char>(s[pos++]);
    if (lead < 0x80) return lead;
    int more = 0;
    uint32_t code = 0;
    unsigned char low = 0x80, high = 0xBF; // the second byte's range
    if (lead >= 0xC2 && lead <= 0xDF) {
        more = 1;
        code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        more = 2;
        code = lead & 0x0Fu;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        more = 3;
        code = lead & 0x07u;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return kReplacement;
    }
    for (int i = 0; i < more; ++i) {
        if (pos >= s.size()) return kReplacement;
        const auto b = static_cast<unsigned char>(s[pos]);
        if (i == 0 ? !isContinuation(b, low, high) : !isContinuation(b)) return kReplacement;
        code = (code << 6) | (b & 0x3Fu);
        ++pos;
    }
    return code;
}

// Whether the tag that begins after the '<' at pos is named "link" (the reader's names end
// at white space; a final "/" is not part of them).
bool isLinkTag(std::string_view s, size_t pos) {
    if (s.size() - pos < 5 || !equalsNoCase(s.substr(pos, 4), "link")) return false;
    const char after = s[pos + 4];
    return isBlank(after) || after == '/' || after == '>';
}

// The value of the declaration's encoding, or empty. decl is the text between "<?xml" and
// "?>".
std::string_view declaredEncoding(std::string_view decl) {
    for (size_t at = 0; (at = decl.find_first_of("eE", at)) != std::string_view::npos; ++at) {
        if (at == 0 || !isBlank(decl[at - 1]) || decl.size() - at < 8 ||
            !equalsNoCase(decl.substr(at, 8), "encoding"))
            continue;
        size_t i = at + 8;
        while (i < decl.size() && isBlank(decl[i]))
            ++i;
        if (i >= decl.size() || decl[i] != '=') continue;
        ++i;
        while (i < decl.size() && isBlank(decl[i]))
            ++i;
        if (i >= decl.size() || (decl[i] != '"' && decl[i] != '\'')) continue;
        const size_t end = decl.find(decl[i], i + 1);
        if (end == std::string_view::npos) return {};
        return decl.substr(i + 1, end - i - 1);
    }
    return {};
}

} // namespace

bool isUtf8Document(std::string_view document) {
    if (document.substr(0, kByteOrderMark.size()) == kByteOrderMark) return true;
    if (document.size() < 6 || !equalsNoCase(document.substr(0, 5), "<?xml") ||
        !isBlank(document[5]))
        return false;
    const size_t end = document.find("?>", 6);
    if (end == std::string_view::npos) return false;
    return equalsNoCase(declaredEncoding(document.substr(5, end - 5)), "utf-8");
}

std::string definitionsDocumentText(std::string document) {
    if (!isUtf8Document(document)) return document;
    const std::string_view in(document);
    std::string out;
    out.reserve(in.size());
    size_t pos = in.substr(0, kByteOrderMark.size()) == kByteOrderMark ? kByteOrderMark.size() : 0;
    bool inLinkTag = false;
    while (pos < in.size()) {
        const char c = in[pos];
        if (static_cast<unsigned char>(c) < 0x80) {
            // A tag runs to the first '>'; a '<' inside one begins the next, as for the reader.
            if (c == '<')
                inLinkTag = isLinkTag(in, pos + 1);
            else if (c == '>')
                inLinkTag = false;
            out += c;
            ++pos;
            continue;
        }
        const uint32_t code = nextCharacter(in, pos);
        if (inLinkTag) {
            appendUtf8Escapes(out, code);
        } else if (const int byte = windows1252Byte(code); byte >= 0) {
            out += static_cast<char>(byte);
        } else {
            out += "&#" + std::to_string(code) + ';';
        }
    }
    return out;
}

} // namespace qlx

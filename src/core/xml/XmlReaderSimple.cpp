// The program's own pull reader for the definitions document: a single forward pass over the
// caller's text, no recursion, no tree.
#include "xml/XmlReaderSimple.h"

#include <cstring>
#include <unordered_set>

#include "Text.h"

namespace qlx {

namespace {

bool isBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

char lowerByte(char c) {
    auto u = static_cast<unsigned char>(c);
    if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7)) return static_cast<char>(u + 0x20);
    switch (u) {
    case 0x8A: return static_cast<char>(0x9A); // S caron
    case 0x8C: return static_cast<char>(0x9C); // OE
    case 0x8E: return static_cast<char>(0x9E); // Z caron
    case 0x9F: return static_cast<char>(0xFF); // Y diaeresis
    default: return c;
    }
}

char foldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Trims white space at both ends and turns every inner run of it into one blank.
std::string collapseWhitespace(std::string_view raw) {
    std::string out;
    out.reserve(raw.size());
    bool pendingBlank = false;
    for (char c : raw) {
        if (isBlank(c)) {
            pendingBlank = !out.empty();
            continue;
        }
        if (pendingBlank) out += ' ';
        pendingBlank = false;
        out += c;
    }
    return out;
}

// The byte a reference name stands for, or -1.
int lookupReference(std::string_view rawName) {
    std::string name = lowerWin1252(rawName);
    if (name == "lt") return 60;
    if (name == "gt") return 62;
    if (name == "amp") return 38;
    if (name == "quot") return 34;
    if (name == "apos") return 39;
    if (name == "nbsp") return 160;
    if (name.size() < 2 || name[0] != '#') return -1;
    unsigned base = 10;
    size_t i = 1;
    if (name[1] == 'x') {
        base = 16;
        i = 2;
    }
    if (i >= name.size()) return -1;
    long value = 0; // at most seven digits: no overflow
    for (; i < name.size(); ++i) {
        char c = name[i];
        int digit;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else return -1;
        value = value * static_cast<long>(base) + digit;
    }
    return (value > 0 && value < 256) ? static_cast<int>(value) : -1;
}

// Replaces character references; an ampersand that a reference produced starts nothing.
std::string decodeReferences(std::string_view raw) {
    std::string out;
    out.reserve(raw.size());
    size_t candidate = std::string::npos; // index in out of the "&" being considered
    for (char c : raw) {
        if (c == '&') {
            candidate = out.size();
            out += c;
            continue;
        }
        if (candidate != std::string::npos && out.size() - candidate > 8) candidate = std::string::npos;
        if (c == ';' && candidate != std::string::npos) {
            int byte = lookupReference(std::string_view(out).substr(candidate + 1));
            if (byte >= 0) {
                out.resize(candidate);
                out += static_cast<char>(byte);
                candidate = std::string::npos;
                continue;
            }
            candidate = std::string::npos;
        }
        out += c;
    }
    return out;
}

const char kContentTagMissing[] = "contentIsOnePart anvendt, men start tag mangler";

} // namespace

std::string lowerWin1252(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = lowerByte(c);
    return out;
}

void TXmlAttrs::AddAttribute(std::string name, std::string value) {
    entries_.emplace_back(std::move(name), TXmlAttribValue{std::move(value)});
}

bool TXmlAttrs::contains(std::string_view name) const {
    for (const auto& e : entries_)
        if (e.first == name) return true;
    return false;
}

TXmlReaderSimple::TXmlReaderSimple(const char* text)
    : text_(text ? std::string_view(text, std::strlen(text)) : std::string_view()) {}

TXmlReaderSimple::TXmlReaderSimple(std::string_view text) : text_(text.substr(0, text.find('\0'))) {}

void TXmlReaderSimple::fail(std::string text) {
    kind_ = xmlError;
    errorText_ = std::move(text);
    name_.clear();
    attributes_.Clear();
    rawContent_ = {};
}

size_t TXmlReaderSimple::findFrom(size_t from, std::string_view what, bool asciiCaseBlind) const {
    if (!asciiCaseBlind) return text_.find(what, from);
    if (what.size() > text_.size()) return std::string_view::npos;
    for (size_t i = from; i + what.size() <= text_.size(); ++i) {
        size_t k = 0;
        while (k < what.size() && foldAscii(text_[i + k]) == foldAscii(what[k])) ++k;
        if (k == what.size()) return i;
    }
    return std::string_view::npos;
}

bool TXmlReaderSimple::next() {
    name_.clear();
    attributes_.Clear();
    rawContent_ = {};
    content_.clear();
    errorText_.clear();
    contentDecoded_ = false;
    attributesDecoded_ = false;

    if (pos_ >= text_.size()) {
        if (openCount_ != 0) fail("Missing end tags or more end tags than start tags");
        else kind_ = xmlEOT;
        return false;
    }
    if (contentNext_) {
        contentNext_ = false;
        if (text_[pos_] == '>') ++pos_;
        size_t start = pos_;
        if (contentIsOnePart) {
            readWholeContent(start);
            return true;
        }
        pos_ = text_.find('<', pos_);
        if (pos_ == std::string_view::npos) pos_ = text_.size();
        kind_ = xmlContent;
        rawContent_ = text_.substr(start, pos_ - start);
        return true;
    }
    readMarkup();
    return true;
}

void TXmlReaderSimple::readWholeContent(size_t start) {
    auto skipToNextTag = [this] {
        pos_ = text_.find('<', pos_);
        if (pos_ == std::string_view::npos) pos_ = text_.size();
    };
    if (openElements_.empty()) {
        fail(kContentTagMissing);
        skipToNextTag();
        return;
    }
    const std::string& element = openElements_.back();
    std::string endTag = "</" + element;
    for (size_t at = start;;) {
        at = findFrom(at, endTag, lowerCaseNames);
        if (at == std::string_view::npos) break;
        size_t after = at + endTag.size();
        if (after < text_.size() && (text_[after] == '>' || isBlank(text_[after]))) {
            kind_ = xmlContent;
            rawContent_ = text_.substr(start, at - start);
            pos_ = at;
            return;
        }
        at += 1;
    }
    fail("contentIsOnePart anvendt, men slut tag \"</" + element + "...\" mangler");
    skipToNextTag();
}

// A comment or CDATA section: its content runs from after the opening of openLength bytes to
// the three-byte terminator, and reading goes on at the terminator's ">".
void TXmlReaderSimple::readDelimited(size_t openLength, std::string_view terminator,
                                     TXmlTokenKind kind, const char* missingEndError) {
    size_t close = text_.find(terminator, pos_ + openLength);
    if (close == std::string_view::npos) {
        fail(missingEndError);
        return;
    }
    kind_ = kind;
    rawContent_ = text_.substr(pos_ + openLength, close - pos_ - openLength);
    pos_ = close + 2;
}

void TXmlReaderSimple::readMarkup() {
    contentNext_ = true;
    contentIsOnePart = false;
    if (text_[pos_] == '<') ++pos_;
    tokenStart_ = pos_;
    std::string_view rest = text_.substr(pos_);

    if (rest.size() >= 3 && rest.substr(0, 3) == "!--") {
        readDelimited(3, "-->", xmlComment,
                      "Fandt <!-- men mangler slut p\xE5 kommentarafslutning -->");
        return;
    }
    if (rest.size() >= 8 && (rest.substr(0, 8) == "![CDATA[" ||
                             (lowerCaseNames && lowerAscii(rest.substr(0, 8)) == "![cdata["))) {
        readDelimited(8, "]]>", xmlCDATA, "Fandt <![CDATA[ men mangler dataafslutning ]]>");
        return;
    }
    pos_ = text_.find('>', pos_);
    if (pos_ == std::string_view::npos) pos_ = text_.size();
    readTag(tokenStart_, pos_);
}

void TXmlReaderSimple::readTag(size_t tagStart, size_t tagEnd) {
    std::string_view tag = text_.substr(tagStart, tagEnd - tagStart);
    if (!tag.empty() && tag[0] == '!') return fail("Ukorrekt begyndelse p\xE5 kommentar eller CDATA");
    if (tag.empty() || tagEnd >= text_.size()) return fail("Tag er ikke afsluttet");

    bool endTag = tag[0] == '/';
    bool instruction = tag[0] == '?';
    if (endTag) tag.remove_prefix(1);
    if (instruction) {
        if (tag.size() < 2 || tag.back() != '?') return fail("Fandt <? men mangler ?>");
        tag = tag.substr(1, tag.size() - 2);
    }
    const bool trailingSlash = !tag.empty() && tag.back() == '/';
    const bool selfClosing = trailingSlash && !endTag && !instruction;
    std::string_view body = trailingSlash ? tag.substr(0, tag.size() - 1) : tag;
    size_t nameEnd = 0;
    while (nameEnd < body.size() && !isBlank(body[nameEnd])) ++nameEnd;
    std::string name(body.substr(0, nameEnd));
    if (lowerCaseNames) name = lowerWin1252(name);

    if (instruction) {
        if (lowerAscii(name) == "xml") {
            kind_ = xmlProlog;
        } else {
            kind_ = xmlPI;
            name_ = std::move(name);
        }
        return;
    }
    if (endTag) {
        --openCount_;
        bool matches = false;
        if (openCount_ >= 0 && !openElements_.empty()) {
            matches = openElements_.back() == name;
            openElements_.pop_back();
        }
        if (!matches) return fail("Sluttag matcher ikke starttag");
        kind_ = xmlEndTag;
        name_ = std::move(name);
        return;
    }
    if (selfClosing) {
        kind_ = xmlEmptyElement;
    } else {
        kind_ = xmlStartTag;
        openElements_.push_back(name);
        ++openCount_;
    }
    name_ = std::move(name);
    auto bodyStart = static_cast<size_t>(body.data() - text_.data());
    readAttributes(bodyStart + nameEnd, bodyStart + body.size());
}

void TXmlReaderSimple::readAttributes(size_t from, size_t to) {
    enum State { kBeforeName, kInName, kAfterName, kExpectEquals, kBeforeValue, kOpenQuote, kInValue };
    State state = kBeforeName;
    std::string attrName, value;
    char quote = 0;
    // Duplicate names are looked for in the list while it is short; a tag with very many
    // attributes (a hostile document) switches to a set, so that the check stays linear.
    constexpr size_t kListSearchLimit = 16;
    std::unordered_set<std::string> names;
    size_t i = from;
    while (i < to) {
        char c = text_[i];
        switch (state) {
        case kBeforeName:
            if (isBlank(c)) ++i;
            else state = kInName;
            break;
        case kInName:
            if (c == '=' || isBlank(c)) state = kAfterName;
            else attrName += c, ++i;
            break;
        case kAfterName:
            if (isBlank(c)) ++i;
            else state = kExpectEquals;
            break;
        case kExpectEquals:
            if (c != '=') return fail("Mellemrum i attributnavn ikke tilladt");
            state = kBeforeValue;
            ++i;
            break;
        case kBeforeValue:
            if (isBlank(c)) ++i;
            else state = kOpenQuote;
            break;
        case kOpenQuote:
            if (c != '\'' && c != '"') return fail("Attributv\xE6rdi ikke omsluttet af enten ' eller \"");
            quote = c;
            state = kInValue;
            ++i;
            break;
        case kInValue:
            ++i;
            if (c != quote) {
                value += c;
                break;
            }
            if (lowerCaseNames) attrName = lowerWin1252(attrName);
            bool repeated;
            if (attributes_.size() < kListSearchLimit) {
                repeated = attributes_.contains(attrName);
            } else {
                if (names.empty())
                    for (const auto& entry : attributes_) names.insert(entry.first);
                repeated = !names.insert(attrName).second;
            }
            if (repeated) return fail("Attributter i \xE9t tag skal have forskellige navne");
            attributes_.AddAttribute(std::move(attrName), std::move(value));
            attrName.clear();
            value.clear();
            state = kBeforeName;
            break;
        }
    }
    if (!value.empty()) return fail("Attributv\xE6rdi ikke afsluttet korrekt");
    if (!attrName.empty()) return fail("Attribut uden attributv\xE6rdi");
}

std::string TXmlReaderSimple::decode(std::string_view raw) const {
    std::string out = keepWhitespace ? std::string(raw) : collapseWhitespace(raw);
    if (decodeEntities) out = decodeReferences(out);
    return out;
}

const TXmlAttrs& TXmlReaderSimple::attributes() {
    if (!attributesDecoded_) {
        attributesDecoded_ = true;
        for (size_t i = 0; i < attributes_.size(); ++i)
            attributes_[i].second.value = decode(attributes_[i].second.value);
    }
    return attributes_;
}

const std::string& TXmlReaderSimple::content() {
    if (!contentDecoded_) {
        contentDecoded_ = true;
        content_ = kind_ == xmlCDATA ? std::string(rawContent_) : decode(rawContent_);
    }
    return content_;
}

std::string TXmlReaderSimple::getAttribute(const TXmlAttrs& attrs, std::string_view name) {
    std::string wanted = lowerWin1252(name);
    for (const auto& e : attrs)
        if (lowerWin1252(e.first) == wanted) return e.second.value;
    return {};
}

} // namespace qlx

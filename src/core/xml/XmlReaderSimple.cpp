// The program's own pull reader for the definitions document: a single forward pass over the
// caller's text, no recursion, no tree.
#include "xml/XmlReaderSimple.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

namespace qlx {

namespace {

bool isBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

// Windows-1252 lower case as a table: ASCII capitals, the accented capitals and the four
// capitals outside that block.
struct LowerTable {
    char map[256];
    constexpr LowerTable() : map() {
        for (int u = 0; u < 256; ++u) {
            int l = u;
            if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7)) l = u + 0x20;
            else if (u == 0x8A || u == 0x8C || u == 0x8E) l = u + 0x10; // S caron, OE, Z caron
            else if (u == 0x9F) l = 0xFF;                                // Y diaeresis
            map[u] = static_cast<char>(l);
        }
    }
};
constexpr LowerTable kLower;

char lowerByte(char c) { return kLower.map[static_cast<unsigned char>(c)]; }

void lowerInPlace(std::string& text) {
    for (char& c : text) c = lowerByte(c);
}

bool needsLowering(std::string_view text) {
    for (char c : text)
        if (lowerByte(c) != c) return true;
    return false;
}

// The name as it is, or lowered into the buffer.
std::string_view lowered(std::string_view name, std::string& buffer) {
    if (!needsLowering(name)) return name;
    buffer.assign(name);
    lowerInPlace(buffer);
    return buffer;
}

bool sameName(std::string_view a, std::string_view b, bool caseBlind) {
    if (a.size() != b.size()) return false;
    if (!caseBlind) return a == b;
    for (size_t i = 0; i < a.size(); ++i)
        if (lowerByte(a[i]) != lowerByte(b[i])) return false;
    return true;
}

char foldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsFolded(std::string_view text, std::string_view lowerAsciiWord) {
    if (text.size() != lowerAsciiWord.size()) return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (foldAscii(text[i]) != lowerAsciiWord[i]) return false;
    return true;
}

// Whether a reference name is the lower-case word, in any letter case.
bool isWord(std::string_view name, std::string_view word) {
    if (name.size() != word.size()) return false;
    for (size_t i = 0; i < word.size(); ++i)
        if (lowerByte(name[i]) != word[i]) return false;
    return true;
}

// The byte a reference name (of at most seven bytes) stands for, or -1.
int lookupReference(std::string_view name) {
    if (name.size() < 2) return -1;
    if (name[0] != '#') {
        if (isWord(name, "lt")) return 60;
        if (isWord(name, "gt")) return 62;
        if (isWord(name, "amp")) return 38;
        if (isWord(name, "quot")) return 34;
        if (isWord(name, "apos")) return 39;
        if (isWord(name, "nbsp")) return 160;
        return -1;
    }
    unsigned base = 10;
    size_t i = 1;
    if (lowerByte(name[1]) == 'x') {
        base = 16;
        i = 2;
    }
    if (i >= name.size()) return -1;
    long value = 0; // at most seven digits: no overflow
    for (; i < name.size(); ++i) {
        const char c = lowerByte(name[i]);
        int digit;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else return -1;
        value = value * static_cast<long>(base) + digit;
    }
    return (value > 0 && value < 256) ? static_cast<int>(value) : -1;
}

// The bytes that decoding looks at: white space, and the ampersand.
enum : unsigned char { kBlankClass = 1, kAmpersandClass = 2 };
struct ByteClasses {
    unsigned char of[256];
    constexpr ByteClasses() : of() {
        for (int u = 0; u <= 32; ++u) of[u] = kBlankClass;
        of[static_cast<unsigned char>('&')] = kAmpersandClass;
    }
};
constexpr ByteClasses kClasses;

const char kContentTagMissing[] = "contentIsOnePart anvendt, men start tag mangler";

} // namespace

std::string lowerWin1252(std::string_view text) {
    std::string out(text);
    lowerInPlace(out);
    return out;
}

bool TXmlAttrs::contains(std::string_view name) const {
    for (const auto& e : *this)
        if (e.first == name) return true;
    return false;
}

TXmlReaderSimple::TXmlReaderSimple(const char* text)
    : text_(text ? std::string_view(text, std::strlen(text)) : std::string_view()) {}

TXmlReaderSimple::TXmlReaderSimple(std::string_view text) : text_(text.substr(0, text.find('\0'))) {}

void TXmlReaderSimple::fail(std::string text) {
    kind_ = xmlError;
    errorText_ = std::move(text);
    name_ = {};
    attributes_.Clear();
    content_ = {};
}

std::string_view TXmlReaderSimple::innermostElement() const {
    return std::string_view(openNames_).substr(openNameStarts_.back());
}

// The first "</" + name at or after from that is followed by ">" or white space; the name is
// compared with ASCII letter case folded under lowerCaseNames, exactly otherwise.
size_t TXmlReaderSimple::findEndTag(size_t from, std::string_view name) const {
    for (size_t at = from;; ++at) {
        at = text_.find('<', at);
        if (at == std::string_view::npos) return at;
        const size_t after = at + 2 + name.size();
        if (after >= text_.size()) return std::string_view::npos; // no room for what follows
        if (text_[at + 1] != '/' || !(text_[after] == '>' || isBlank(text_[after]))) continue;
        std::string_view written = text_.substr(at + 2, name.size());
        bool same = true;
        for (size_t k = 0; same && k < name.size(); ++k)
            same = lowerCaseNames ? foldAscii(written[k]) == foldAscii(name[k])
                                  : written[k] == name[k];
        if (same) return at;
    }
}

bool TXmlReaderSimple::next() {
    name_ = {};
    attributes_.Clear();
    content_ = {};
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
        content_ = text_.substr(start, pos_ - start);
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
    if (openNameStarts_.empty()) {
        fail(kContentTagMissing);
        skipToNextTag();
        return;
    }
    const std::string_view element = innermostElement();
    const size_t at = findEndTag(start, element);
    if (at != std::string_view::npos) {
        kind_ = xmlContent;
        content_ = text_.substr(start, at - start);
        pos_ = at;
        return;
    }
    fail("contentIsOnePart anvendt, men slut tag \"</" + std::string(element) + "...\" mangler");
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
    content_ = text_.substr(pos_ + openLength, close - pos_ - openLength);
    pos_ = close + 2;
}

void TXmlReaderSimple::readMarkup() {
    contentNext_ = true;
    contentIsOnePart = false;
    if (text_[pos_] == '<') ++pos_;
    tokenStart_ = pos_;
    std::string_view rest = text_.substr(pos_);

    if (!rest.empty() && rest[0] == '!') {
        if (rest.substr(0, 3) == "!--") {
            readDelimited(3, "-->", xmlComment,
                          "Fandt <!-- men mangler slut p\xE5 kommentarafslutning -->");
            return;
        }
        const std::string_view marker = rest.substr(0, 8);
        if (marker == "![CDATA[" || (lowerCaseNames && equalsFolded(marker, "![cdata["))) {
            readDelimited(8, "]]>", xmlCDATA, "Fandt <![CDATA[ men mangler dataafslutning ]]>");
            return;
        }
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
    name_ = body.substr(0, nameEnd);
    if (lowerCaseNames) name_ = lowered(name_, nameBuffer_);

    if (instruction) {
        if (equalsFolded(name_, "xml")) {
            kind_ = xmlProlog;
            name_ = {};
        } else {
            kind_ = xmlPI;
        }
        return;
    }
    if (endTag) {
        --openCount_;
        bool matches = false;
        if (openCount_ >= 0 && !openNameStarts_.empty()) {
            matches = innermostElement() == name_;
            openNames_.resize(openNameStarts_.back());
            openNameStarts_.pop_back();
        }
        if (!matches) return fail("Sluttag matcher ikke starttag");
        kind_ = xmlEndTag;
        return;
    }
    if (selfClosing) {
        kind_ = xmlEmptyElement;
    } else {
        kind_ = xmlStartTag;
        openNameStarts_.push_back(openNames_.size());
        openNames_ += name_;
        ++openCount_;
    }
    auto bodyStart = static_cast<size_t>(body.data() - text_.data());
    readAttributes(bodyStart + nameEnd, bodyStart + body.size());
}

// Names and values are found as ranges of the tag text; names that lowering changes are
// lowered into a buffer once the whole tag has been read.
void TXmlReaderSimple::readAttributes(size_t from, size_t to) {
    enum State { kBeforeName, kInName, kAfterName, kExpectEquals, kBeforeValue, kOpenQuote, kInValue };
    State state = kBeforeName;
    size_t nameStart = from, nameEnd = from, valueStart = from;
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
            if (isBlank(c)) {
                ++i;
            } else {
                state = kInName;
                nameStart = nameEnd = i;
            }
            break;
        case kInName:
            while (i < to && text_[i] != '=' && !isBlank(text_[i])) ++i;
            nameEnd = i;
            state = kAfterName;
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
            valueStart = ++i;
            break;
        case kInValue: {
            const void* close = std::memchr(text_.data() + i, quote, to - i);
            if (!close) {
                i = to;
                break;
            }
            const auto valueEnd = static_cast<size_t>(static_cast<const char*>(close) - text_.data());
            const std::string_view name = text_.substr(nameStart, nameEnd - nameStart);
            bool repeated = false;
            if (attributes_.size() < kListSearchLimit) {
                for (const auto& e : attributes_)
                    if (sameName(e.first, name, lowerCaseNames)) repeated = true;
            } else {
                auto key = [&](std::string_view n) {
                    std::string k(n);
                    if (lowerCaseNames)
                        for (char& ch : k) ch = lowerByte(ch);
                    return k;
                };
                if (names.empty())
                    for (const auto& e : attributes_) names.insert(key(e.first));
                repeated = !names.insert(key(name)).second;
            }
            if (repeated) return fail("Attributter i \xE9t tag skal have forskellige navne");
            attributes_.AddAttribute(name, text_.substr(valueStart, valueEnd - valueStart));
            i = valueEnd + 1;
            nameStart = nameEnd = i;
            state = kBeforeName;
            break;
        }
        }
    }
    if (state == kInValue && to > valueStart) return fail("Attributv\xE6rdi ikke afsluttet korrekt");
    if (state != kBeforeName && nameEnd > nameStart) return fail("Attribut uden attributv\xE6rdi");
    if (!lowerCaseNames) return;
    attributeNames_.clear();
    for (const auto& e : attributes_)
        if (needsLowering(e.first)) attributeNames_ += e.first;
    if (attributeNames_.empty()) return;
    lowerInPlace(attributeNames_);
    size_t at = 0;
    for (size_t k = 0; k < attributes_.size(); ++k) {
        std::string_view& name = attributes_[k].first;
        if (!needsLowering(name)) continue;
        name = std::string_view(attributeNames_).substr(at, name.size());
        at += name.size();
    }
}

// Trims and collapses white space (unless keepWhitespace) and replaces character references
// (if decodeEntities) in one pass. True: nothing but trimming was needed, and text is now the
// trimmed text. False: the decoded text has been appended to buffer. Runs that need no change,
// single blanks between words included, are copied whole. A reference is "&", a name of at most
// seven bytes and ";"; a name holding white space or "&" is none, and the byte a reference
// yields starts nothing. Decoding never makes a text longer.
bool TXmlReaderSimple::decode(std::string_view& text, std::string& buffer) const {
    std::string_view raw = text;
    const bool collapse = !keepWhitespace;
    if (collapse) {
        size_t first = 0, last = raw.size();
        while (first < last && isBlank(raw[first])) ++first;
        while (last > first && isBlank(raw[last - 1])) --last;
        raw = raw.substr(first, last - first);
    }
    const unsigned char stops =
        (collapse ? kBlankClass : 0) | (decodeEntities ? kAmpersandClass : 0);
    const char* const p = raw.data();
    const size_t n = raw.size();
    // Up to the first byte that needs a change, the text stays as it is. A single blank
    // between two words needs none (the text is trimmed, so a blank has a byte after it).
    size_t i = 0;
    for (; i < n; ++i) {
        const unsigned char cls = kClasses.of[static_cast<unsigned char>(p[i])] & stops;
        if (cls && !(cls == kBlankClass && p[i] == ' ' && !isBlank(p[i + 1]))) break;
    }
    if (i == n) {
        text = raw;
        return true;
    }
    const size_t base = buffer.size();
    buffer.resize(base + n); // decoding never makes a text longer
    char* const start = buffer.data() + base;
    std::memcpy(start, p, i);
    char* out = start + i;
    while (i < n) {
        const char c = p[i];
        const unsigned char cls = kClasses.of[static_cast<unsigned char>(c)] & stops;
        if (!cls) {
            *out++ = c;
            ++i;
        } else if (cls == kBlankClass) {
            // A run of white space inside the (trimmed) text becomes one blank.
            while (++i < n && isBlank(p[i])) {
            }
            *out++ = ' ';
        } else {
            size_t k = i + 1;
            const size_t limit = std::min(n, i + 9);
            while (k < limit && p[k] != ';' && p[k] != '&' && !isBlank(p[k])) ++k;
            const int byte =
                k < limit && p[k] == ';' ? lookupReference(raw.substr(i + 1, k - i - 1)) : -1;
            if (byte >= 0) {
                *out++ = static_cast<char>(byte);
                i = k + 1;
            } else {
                *out++ = '&';
                ++i;
            }
        }
    }
    buffer.resize(base + static_cast<size_t>(out - start));
    return false;
}

const TXmlAttrs& TXmlReaderSimple::attributes() {
    if (!attributesDecoded_) {
        attributesDecoded_ = true;
        // Decoded values go into one buffer; their views are taken once it has stopped growing.
        attributeValues_.clear();
        decodedValues_.clear();
        for (size_t i = 0; i < attributes_.size(); ++i)
            if (!decode(attributes_[i].second.value, attributeValues_))
                decodedValues_.push_back({i, attributeValues_.size()});
        const std::string_view decoded = attributeValues_;
        size_t start = 0;
        for (const auto& [index, end] : decodedValues_) {
            attributes_[index].second.value = decoded.substr(start, end - start);
            start = end;
        }
    }
    return attributes_;
}

std::string_view TXmlReaderSimple::content() {
    if (!contentDecoded_) {
        contentDecoded_ = true;
        contentBuffer_.clear();
        if (kind_ != xmlCDATA && !decode(content_, contentBuffer_)) content_ = contentBuffer_;
    }
    return content_;
}

std::string TXmlReaderSimple::getAttribute(const TXmlAttrs& attrs, std::string_view name) {
    for (const auto& e : attrs)
        if (sameName(e.first, name, true)) return std::string(e.second.value);
    return {};
}

} // namespace qlx

// The program's own small pull reader for XML-like 8-bit text: one token per call, markup and
// content alternating, malformed input reported as an error token with a Danish text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qlx {

enum TXmlTokenKind : int {
    xmlEOT = 0,          // end of text, all elements closed
    xmlProlog = 1,       // the XML declaration
    xmlPI = 2,           // any other processing instruction
    xmlComment = 3,
    xmlStartTag = 4,
    xmlEmptyElement = 5,
    xmlEndTag = 6,
    xmlCDATA = 7,
    xmlContent = 8,      // the text between two markup tokens, also when empty
    xmlError = 9,
    xmlNone = 10,        // nothing read yet
};

struct TXmlAttribValue {
    std::string_view value;
};

// The attributes of one tag, in document order. Names and values are views into the reader's
// text or buffers: they stay valid until the reader reads its next token.
class TXmlAttrs {
public:
    using Entry = std::pair<std::string_view, TXmlAttribValue>;

    void AddAttribute(std::string_view name, std::string_view value) {
        entries_.push_back({name, {value}});
    }
    void Clear() { entries_.clear(); }
    size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    const Entry& operator[](size_t i) const { return entries_[i]; }
    Entry& operator[](size_t i) { return entries_[i]; }
    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }
    // Exact name match.
    bool contains(std::string_view name) const;

private:
    std::vector<Entry> entries_;
};

// Reads the caller's text in place (it is not copied and must outlive the reader); the text ends
// at its first zero byte. Names, attributes and content are handed out as views into the text,
// or into the reader's own buffers where lowering or decoding changed them; every view stays
// valid until the next call of next. Content and attribute values are decoded at most once per
// token, when first asked for.
class TXmlReaderSimple {
public:
    explicit TXmlReaderSimple(const char* text);
    // The text ends at the view's end or at its first zero byte, whichever comes first.
    explicit TXmlReaderSimple(std::string_view text);

    // Options; they may be changed between calls of next.
    bool keepWhitespace = false;   // false: trim values and collapse their white space
    bool lowerCaseNames = true;    // lower element and attribute names; case-blind markers
    bool decodeEntities = true;    // decode character references in content and values
    bool contentIsOnePart = false; // next content token is the innermost element's whole
                                   // inner markup; switched off at every markup token

    // Reads the next token. False only at the end of the text (xmlEOT, or xmlError when
    // elements are still open). A caller stops at the first xmlError.
    bool next();

    TXmlTokenKind kind() const { return kind_; }
    std::string_view name() const { return name_; }
    // Values are decoded on the first call for the current tag token.
    const TXmlAttrs& attributes();
    // Raw for CDATA; decoded on the first call for other tokens.
    std::string_view content();
    const std::string& errorText() const { return errorText_; }

    // The value of the named attribute, found without regard to case; empty if absent.
    static std::string getAttribute(const TXmlAttrs& attrs, std::string_view name);

private:
    void readMarkup();
    void readDelimited(size_t openLength, std::string_view terminator, TXmlTokenKind kind,
                       const char* missingEndError);
    void readTag(size_t tagStart, size_t tagEnd);
    void readAttributes(size_t from, size_t to);
    void readWholeContent(size_t start);
    void fail(std::string text);
    bool decode(std::string_view& text, std::string& buffer) const;
    size_t findEndTag(size_t from, std::string_view name) const;
    std::string_view innermostElement() const;

    std::string_view text_;
    size_t pos_ = 0;
    size_t tokenStart_ = 0;
    bool contentNext_ = false;
    int openCount_ = 0;
    // The names of the open elements, innermost last, one after the other in one buffer.
    std::string openNames_;
    std::vector<size_t> openNameStarts_;

    TXmlTokenKind kind_ = xmlNone;
    std::string_view name_;
    std::string nameBuffer_;      // the element name, when lowering changed it
    TXmlAttrs attributes_;        // names lowered; values as written until decoded
    std::string attributeNames_;  // the attribute names that lowering changed
    std::string attributeValues_; // the attribute values that decoding changed
    std::vector<std::pair<size_t, size_t>> decodedValues_; // attribute, end in attributeValues_
    std::string_view content_;
    std::string contentBuffer_;   // the content, when decoding changed it
    std::string errorText_;
    bool contentDecoded_ = false;
    bool attributesDecoded_ = false;
};

// Windows-1252 lower case: ASCII capitals and the accented capitals.
std::string lowerWin1252(std::string_view text);

} // namespace qlx

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
    std::string value;
};

// The attributes of one tag, in document order.
class TXmlAttrs {
public:
    using Entry = std::pair<std::string, TXmlAttribValue>;

    void AddAttribute(std::string name, std::string value);
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
// at its first zero byte. Only the current token's name, attributes and content are copied, and
// content and attribute values are decoded at most once per token, when first asked for.
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
    const std::string& name() const { return name_; }
    // Values are decoded on the first call for the current tag token.
    const TXmlAttrs& attributes();
    // Raw for CDATA; decoded on the first call for other tokens.
    const std::string& content();
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
    std::string decode(std::string_view raw) const;
    size_t findFrom(size_t from, std::string_view what, bool asciiCaseBlind) const;

    std::string_view text_;
    size_t pos_ = 0;
    size_t tokenStart_ = 0;
    bool contentNext_ = false;
    int openCount_ = 0;
    std::vector<std::string> openElements_;

    TXmlTokenKind kind_ = xmlNone;
    std::string name_;
    TXmlAttrs attributes_;
    std::string_view rawContent_;
    std::string content_;
    std::string errorText_;
    bool contentDecoded_ = false;
    bool attributesDecoded_ = false;
};

// Windows-1252 lower case: ASCII capitals and the accented capitals.
std::string lowerWin1252(std::string_view text);

} // namespace qlx

// Reducing a message's HTML to the built-in view's subset, and writing that as rich text.
// One pass over the input: formatting is kept as counters, not as a tree, so misnested or
// unclosed tags cannot make the work grow.
#include "messages/HtmlSubset.h"

#include <algorithm>
#include <array>

#include "Text.h"
#include "lookup/PageAddressCheck.h"

namespace qlx {

namespace {

constexpr uint32_t kNoCharacter = 0xFFFFFFFF;
constexpr char kUnknownCharacter = '?';
constexpr size_t kMaxListLevels = 16; // deeper lists are drawn at this depth

// The names of 0xA0 to 0xFF, in order.
constexpr std::array<const char*, 96> kLatin1Names = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",
    "copy",   "ordf",   "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn",
    "sup2",   "sup3",   "acute",  "micro",  "para",   "middot", "cedil",  "sup1",   "ordm",
    "raquo",  "frac14", "frac12", "frac34", "iquest", "Agrave", "Aacute", "Acirc",  "Atilde",
    "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave",
    "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde",
    "Ouml",   "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",
    "szlig",  "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil",
    "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",   "eth",
    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide", "oslash", "ugrave",
    "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml",
};

struct NamedCharacter {
    const char* name;
    uint32_t code;
};
constexpr NamedCharacter kOtherNames[] = {
    {"amp", '&'},       {"lt", '<'},        {"gt", '>'},        {"quot", '"'},
    {"apos", '\''},     {"euro", 0x20AC},   {"sbquo", 0x201A},  {"fnof", 0x0192},
    {"bdquo", 0x201E},  {"hellip", 0x2026}, {"dagger", 0x2020}, {"Dagger", 0x2021},
    {"circ", 0x02C6},   {"permil", 0x2030}, {"Scaron", 0x0160}, {"lsaquo", 0x2039},
    {"OElig", 0x0152},  {"Zcaron", 0x017D}, {"lsquo", 0x2018},  {"rsquo", 0x2019},
    {"ldquo", 0x201C},  {"rdquo", 0x201D},  {"bull", 0x2022},   {"ndash", 0x2013},
    {"mdash", 0x2014},  {"tilde", 0x02DC},  {"trade", 0x2122},  {"scaron", 0x0161},
    {"rsaquo", 0x203A}, {"oelig", 0x0153},  {"zcaron", 0x017E}, {"Yuml", 0x0178},
};

uint32_t namedCharacter(std::string_view name) {
    for (size_t i = 0; i < kLatin1Names.size(); ++i)
        if (name == kLatin1Names[i]) return static_cast<uint32_t>(0xA0 + i);
    for (const NamedCharacter& n : kOtherNames)
        if (name == n.name) return n.code;
    return kNoCharacter;
}

bool isAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isAlnum(char c) {
    return isAsciiLetter(c) || isAsciiDigit(c);
}
bool isHtmlSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}
int hexValue(char c) {
    if (isAsciiDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A character reference at in[pos] == '&'. On success pos is past it and out is the
// character's code point ('?' for one that names none); otherwise pos is unchanged and the
// '&' is text.
bool readReference(std::string_view in, size_t& pos, uint32_t& out) {
    size_t i = pos + 1;
    if (i < in.size() && in[i] == '#') {
        ++i;
        const bool hex = i < in.size() && (in[i] == 'x' || in[i] == 'X');
        if (hex) ++i;
        const size_t digitsStart = i;
        uint32_t value = 0;
        for (; i < in.size(); ++i) {
            const int d = hex ? hexValue(in[i]) : (isAsciiDigit(in[i]) ? in[i] - '0' : -1);
            if (d < 0) break;
            // Past the last code point the value only has to stay too large.
            if (value <= 0x10FFFF) value = value * (hex ? 16 : 10) + static_cast<uint32_t>(d);
        }
        if (i == digitsStart) return false;
        if (i < in.size() && in[i] == ';') ++i;
        pos = i;
        if (value >= 0x80 && value <= 0x9F) {
            // As browsers do: these numbers name the code page's characters (its five
            // unassigned bytes name nothing).
            const uint32_t mapped = windows1252Code(static_cast<unsigned char>(value));
            out = mapped != value ? mapped : static_cast<uint32_t>(kUnknownCharacter);
        } else if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
            out = static_cast<uint32_t>(kUnknownCharacter);
        } else {
            out = value;
        }
        return true;
    }
    size_t end = i;
    while (end < in.size() && end - i < 32 && isAlnum(in[end]))
        ++end;
    const uint32_t code = namedCharacter(in.substr(i, end - i));
    if (code == kNoCharacter) return false;
    if (end < in.size() && in[end] == ';') ++end;
    pos = end;
    out = code;
    return true;
}

std::string decodeAttribute(std::string_view raw) {
    std::string out;
    for (size_t i = 0; i < raw.size();) {
        uint32_t code = 0;
        if (raw[i] == '&' && readReference(raw, i, code)) {
            if (const int byte = windows1252Byte(code); byte >= 0)
                out += static_cast<char>(byte);
            else
                appendUtf8Escapes(out, code);
            continue;
        }
        out += raw[i];
        ++i;
    }
    return out;
}

// A link's address as a browser takes it: blanks around it and line breaks and tabs inside
// it do not count, and a letter beyond ASCII ("s\xF8g") travels as its UTF-8 escapes.
std::string linkAddress(std::string_view raw) {
    std::string decoded = decodeAttribute(raw);
    std::string out;
    for (char c : decoded) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80)
            appendUtf8Escapes(out, windows1252Code(byte));
        else if (c != '\t' && c != '\n' && c != '\r')
            out += c;
    }
    size_t begin = 0, end = out.size();
    while (begin < end && static_cast<unsigned char>(out[begin]) <= ' ')
        ++begin;
    while (end > begin && static_cast<unsigned char>(out[end - 1]) <= ' ')
        --end;
    return out.substr(begin, end - begin);
}

enum class Break : uint8_t { None, Block, Gap };

enum class Element : uint8_t {
    Other,
    Bold,
    Italic,
    Underline,
    Link,
    LineBreak,
    Paragraph, // a block with a margin: p, headings, blockquote, pre, dl, hr
    Block,     // a block without one: div and the like
    Heading,
    List,
    OrderedList,
    ListItem,
    RawText, // script, style, title: dropped with their content
};

Element elementOf(std::string_view name) {
    struct Entry {
        const char* name;
        Element element;
    };
    static constexpr Entry kElements[] = {
        {"b", Element::Bold},
        {"strong", Element::Bold},
        {"i", Element::Italic},
        {"em", Element::Italic},
        {"u", Element::Underline},
        {"a", Element::Link},
        {"br", Element::LineBreak},
        {"p", Element::Paragraph},
        {"blockquote", Element::Paragraph},
        {"pre", Element::Paragraph},
        {"dl", Element::Paragraph},
        {"hr", Element::Paragraph},
        {"div", Element::Block},
        {"center", Element::Block},
        {"table", Element::Block},
        {"tr", Element::Block},
        {"dt", Element::Block},
        {"dd", Element::Block},
        {"ul", Element::List},
        {"ol", Element::OrderedList},
        {"li", Element::ListItem},
        {"script", Element::RawText},
        {"style", Element::RawText},
        {"title", Element::RawText},
    };
    if (name.size() == 2 && name[0] == 'h' && name[1] >= '1' && name[1] <= '6')
        return Element::Heading;
    for (const Entry& e : kElements)
        if (name == e.name) return e.element;
    return Element::Other;
}

class Builder {
  public:
    Builder() { out_.paragraphs.push_back({}); }

    void character(char c) {
        const auto byte = static_cast<unsigned char>(c);
        if (isHtmlSpace(c)) {
            // The blank keeps the format it was written in: "<b>a</b> b" has no bold blank.
            if (hasContent_ && !pendingSpace_) spaceFormat_ = currentFormat();
            pendingSpace_ = hasContent_;
            return;
        }
        if (byte < 0x20 || byte == 0x7F) return;
        beginVisible();
        append(c, currentFormat());
    }

    // A character the code page lacks: one placeholder in the text per UTF-16 unit.
    void otherCharacter(uint32_t code) {
        beginVisible();
        if (code >= 0x10000) {
            code -= 0x10000;
            out_.others += static_cast<char16_t>(0xD800 + (code >> 10));
            append(kRichOtherCharacter, currentFormat());
            code = 0xDC00 + (code & 0x3FF);
        }
        out_.others += static_cast<char16_t>(code);
        append(kRichOtherCharacter, currentFormat());
    }

    void startTag(Element element, std::string_view name, std::string_view href) {
        switch (element) {
        case Element::Bold:
            ++bold_;
            break;
        case Element::Italic:
            ++italic_;
            break;
        case Element::Underline:
            ++underline_;
            break;
        case Element::Link: {
            link_ = -1;
            const std::string address = linkAddress(href);
            if (isAllowedPageAddress(address)) {
                link_ = static_cast<int32_t>(out_.links.size());
                out_.links.push_back(address);
            }
            break;
        }
        case Element::LineBreak:
            lineBreak();
            break;
        case Element::Paragraph:
            boundary(Break::Gap);
            break;
        case Element::Block:
            boundary(Break::Block);
            break;
        case Element::Heading:
            boundary(Break::Gap);
            heading_ = static_cast<uint8_t>(name[1] - '0');
            break;
        case Element::List:
        case Element::OrderedList:
            boundary(listDepth_ == 0 ? Break::Gap : Break::Block);
            if (lists_.size() < kMaxListLevels)
                lists_.push_back({element == Element::OrderedList, 0});
            ++listDepth_;
            break;
        case Element::ListItem: {
            boundary(Break::Block);
            if (listDepth_ == 0 || listDepth_ > lists_.size() || !lists_.back().ordered) {
                listMark_ = "\x95";
            } else {
                listMark_ = std::to_string(++lists_.back().counter) + ".";
            }
            break;
        }
        case Element::Other:
        case Element::RawText:
            break;
        }
    }

    void endTag(Element element, std::string_view) {
        auto down = [](uint32_t& count) {
            if (count > 0) --count;
        };
        switch (element) {
        case Element::Bold:
            down(bold_);
            break;
        case Element::Italic:
            down(italic_);
            break;
        case Element::Underline:
            down(underline_);
            break;
        case Element::Link:
            link_ = -1;
            break;
        case Element::LineBreak:
            lineBreak();
            break; // as browsers read </br>
        case Element::Paragraph:
            boundary(Break::Gap);
            break;
        case Element::Block:
        case Element::ListItem:
            boundary(Break::Block);
            break;
        case Element::Heading:
            boundary(Break::Gap);
            heading_ = 0;
            break;
        case Element::List:
        case Element::OrderedList:
            if (listDepth_ == 0) break;
            if (listDepth_ <= lists_.size()) lists_.pop_back();
            listMark_.clear();
            --listDepth_;
            boundary(listDepth_ == 0 ? Break::Gap : Break::Block);
            break;
        case Element::Other:
        case Element::RawText:
            break;
        }
    }

    RichText finish() {
        // A line break at the very end leaves no empty line behind.
        if (out_.paragraphs.size() > 1 && !hasContent_) {
            out_.paragraphs.pop_back();
            out_.text.pop_back();
        }
        return std::move(out_);
    }

  private:
    struct Format {
        uint8_t style;
        uint8_t heading;
        int32_t link;
        bool operator==(const Format&) const = default;
    };
    struct ListLevel {
        bool ordered;
        uint32_t counter;
    };

    Format currentFormat() const {
        uint8_t style = 0;
        if (bold_) style |= kRichBold;
        if (italic_) style |= kRichItalic;
        if (underline_) style |= kRichUnderline;
        return {style, heading_, link_};
    }

    void append(char c, Format format) {
        const auto at = static_cast<uint32_t>(out_.text.size());
        out_.text += c;
        if (!out_.runs.empty()) {
            RichRun& last = out_.runs.back();
            if (last.start + last.length == at &&
                Format{last.style, last.heading, last.link} == format) {
                ++last.length;
                return;
            }
        }
        out_.runs.push_back({at, 1, format.style, format.heading, format.link});
    }

    void newParagraph() {
        out_.text += '\n';
        out_.paragraphs.push_back({static_cast<uint32_t>(out_.text.size())});
        hasContent_ = false;
        pendingSpace_ = false;
        pendingBreak_ = Break::None;
    }

    // Text arrives: the pending break ends the paragraph, and a new one takes the list's
    // indent, its margin and the list item's mark.
    void beginContent() {
        if (pendingBreak_ != Break::None) newParagraph();
        if (hasContent_) return;
        RichParagraph& p = out_.paragraphs.back();
        p.indent = static_cast<uint8_t>(std::min<size_t>(listDepth_, kMaxListLevels));
        p.gapBefore = gapWanted_ && p.start > 0;
        gapWanted_ = false;
        hasContent_ = true;
        if (!listMark_.empty()) {
            p.listItem = true;
            if (p.indent == 0) p.indent = 1;
            const Format plain{0, 0, -1};
            for (char c : listMark_)
                append(c, plain);
            append('\t', plain);
            listMark_.clear();
        }
    }

    void beginVisible() {
        beginContent();
        if (pendingSpace_) {
            append(' ', spaceFormat_);
            pendingSpace_ = false;
        }
    }

    void boundary(Break kind) {
        pendingSpace_ = false;
        if (kind == Break::Gap) gapWanted_ = true;
        if (hasContent_) pendingBreak_ = std::max(pendingBreak_, kind);
    }

    void lineBreak() {
        if (pendingBreak_ != Break::None) newParagraph();
        newParagraph();
    }

    RichText out_;
    uint32_t bold_ = 0, italic_ = 0, underline_ = 0;
    uint8_t heading_ = 0;
    int32_t link_ = -1;
    std::vector<ListLevel> lists_;
    size_t listDepth_ = 0;
    std::string listMark_; // the mark of a list item whose text has not come yet
    bool hasContent_ = false;
    bool pendingSpace_ = false;
    Format spaceFormat_{0, 0, -1};
    bool gapWanted_ = false;
    Break pendingBreak_ = Break::None;
};

size_t findFrom(std::string_view in, size_t from, std::string_view what) {
    const size_t at = in.find(what, std::min(from, in.size()));
    return at == std::string_view::npos ? in.size() : at;
}

// Past the end of a script's, style's or title's content: its end tag, or the end.
size_t skipRawText(std::string_view in, size_t pos, std::string_view name) {
    for (;;) {
        const size_t at = findFrom(in, pos, "</");
        if (at >= in.size()) return in.size();
        const size_t nameEnd = at + 2 + name.size();
        if (nameEnd <= in.size() && equalsNoCase(in.substr(at + 2, name.size()), name) &&
            (nameEnd == in.size() || isHtmlSpace(in[nameEnd]) || in[nameEnd] == '/' ||
             in[nameEnd] == '>')) {
            const size_t close = findFrom(in, nameEnd, ">");
            return close < in.size() ? close + 1 : in.size();
        }
        pos = at + 2;
    }
}

// A start tag at in[pos] == '<' followed by a letter: its name and its href. pos ends past
// the tag, or at the end when the tag never ends (the rest is then dropped, as browsers do).
void readStartTag(std::string_view in, size_t& pos, std::string& name, std::string& href,
                  bool& complete) {
    size_t i = pos + 1;
    const size_t nameStart = i;
    while (i < in.size() && !isHtmlSpace(in[i]) && in[i] != '/' && in[i] != '>')
        ++i;
    name = lowerAscii(in.substr(nameStart, i - nameStart));
    href.clear();
    complete = false;
    while (i < in.size()) {
        const char c = in[i];
        if (c == '>') {
            pos = i + 1;
            complete = true;
            return;
        }
        if (isHtmlSpace(c) || c == '/') {
            ++i;
            continue;
        }
        const size_t attrStart = i;
        while (i < in.size() && !isHtmlSpace(in[i]) && in[i] != '/' && in[i] != '>' &&
               (in[i] != '=' || i == attrStart))
            ++i;
        const std::string attr = lowerAscii(in.substr(attrStart, i - attrStart));
        size_t j = i;
        while (j < in.size() && isHtmlSpace(in[j]))
            ++j;
        if (j >= in.size() || in[j] != '=') continue;
        i = j + 1;
        while (i < in.size() && isHtmlSpace(in[i]))
            ++i;
        std::string_view value;
        if (i < in.size() && (in[i] == '"' || in[i] == '\'')) {
            const char quote = in[i];
            const size_t end = in.find(quote, i + 1);
            if (end == std::string_view::npos) break;
            value = in.substr(i + 1, end - i - 1);
            i = end + 1;
        } else {
            const size_t valueStart = i;
            while (i < in.size() && !isHtmlSpace(in[i]) && in[i] != '>')
                ++i;
            value = in.substr(valueStart, i - valueStart);
        }
        if (attr == "href" && href.empty()) href = std::string(value);
    }
    pos = in.size();
}

// Elements that nest without end in a browser's tree (lists, formatting, blocks) are kept to
// kMaxListLevels deep: a start tag deeper than that, and the end tag that matches it, are
// dropped. Both views read this same filtered stream, so the flat HTML reads back to what the
// rich text shows, and a message of nothing but nested lists cannot build a tree deep enough
// to exhaust the browser control.
template <typename Sink> class NestingCap {
  public:
    explicit NestingCap(Sink& out) : out_(out) {}
    void character(char c) { out_.character(c); }
    void otherCharacter(uint32_t code) { out_.otherCharacter(code); }
    void startTag(Element element, std::string_view name, std::string_view href) {
        if (Depth* d = depthOf(element)) {
            if (d->open >= kMaxListLevels) {
                ++d->dropped;
                return;
            }
            ++d->open;
        }
        out_.startTag(element, name, href);
    }
    void endTag(Element element, std::string_view name) {
        if (Depth* d = depthOf(element)) {
            if (d->dropped > 0) {
                --d->dropped;
                return;
            }
            if (d->open > 0) --d->open;
        }
        out_.endTag(element, name);
    }

  private:
    struct Depth {
        size_t open = 0;
        size_t dropped = 0;
    };
    Depth* depthOf(Element element) {
        switch (element) {
        case Element::Bold: return &bold_;
        case Element::Italic: return &italic_;
        case Element::Underline: return &underline_;
        case Element::Block: return &block_;
        case Element::List:
        case Element::OrderedList: return &list_;
        default: return nullptr;
        }
    }
    Sink& out_;
    Depth bold_, italic_, underline_, block_, list_;
};

// The one pass over a message's HTML, reporting to out what the subset keeps: its characters
// (references decoded) and the start and end tags of the elements it knows.
template <typename Sink> void readSubset(std::string_view in, Sink& sink) {
    NestingCap<Sink> out(sink);
    size_t pos = 0;
    while (pos < in.size()) {
        const char c = in[pos];
        if (c == '&') {
            uint32_t decoded = 0;
            if (readReference(in, pos, decoded)) {
                if (const int byte = windows1252Byte(decoded); byte >= 0)
                    out.character(static_cast<char>(byte));
                else
                    out.otherCharacter(decoded);
                continue;
            }
        }
        if (c != '<' || pos + 1 >= in.size()) {
            out.character(c);
            ++pos;
            continue;
        }
        const char next = in[pos + 1];
        if (isAsciiLetter(next)) {
            std::string name, href;
            bool complete = false;
            readStartTag(in, pos, name, href, complete);
            if (!complete) break;
            const Element element = elementOf(name);
            if (element == Element::RawText) {
                pos = skipRawText(in, pos, name);
                continue;
            }
            out.startTag(element, name, href);
        } else if (next == '/' && pos + 2 < in.size() && isAsciiLetter(in[pos + 2])) {
            size_t i = pos + 2;
            while (i < in.size() && !isHtmlSpace(in[i]) && in[i] != '/' && in[i] != '>')
                ++i;
            const std::string name = lowerAscii(in.substr(pos + 2, i - pos - 2));
            const size_t close = findFrom(in, i, ">");
            if (close >= in.size()) break;
            pos = close + 1;
            out.endTag(elementOf(name), name);
        } else if (in.substr(pos, 4) == "<!--") {
            const size_t end = findFrom(in, pos + 4, "-->");
            pos = end < in.size() ? end + 3 : in.size();
        } else if (next == '!' || next == '?' || next == '/') {
            // Declarations, processing instructions and broken end tags: up to the next '>'.
            const size_t close = findFrom(in, pos + 2, ">");
            pos = close < in.size() ? close + 1 : in.size();
        } else {
            out.character(c);
            ++pos;
        }
    }
}

// Writes what the subset keeps as HTML of the program's own: each kept element under one
// name of its kind, a link's address only when the program would open it, text escaped.
// Reading the result again reports exactly the same characters and tags.
class FlatWriter {
  public:
    void character(char c) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '&': out_ += "&amp;"; return;
        case '<': out_ += "&lt;"; return;
        case '>': out_ += "&gt;"; return;
        case '"': out_ += "&quot;"; return;
        default: break;
        }
        if (isHtmlSpace(c))
            out_ += c == '\n' ? '\n' : ' ';
        else if (byte >= 0x20 && byte != 0x7F)
            out_ += c;
        // Other control bytes show nothing in either view.
    }

    // A character the code page lacks stays a numeric reference, which both views show.
    void otherCharacter(uint32_t code) {
        out_ += "&#";
        out_ += std::to_string(code);
        out_ += ';';
    }

    void startTag(Element element, std::string_view name, std::string_view href) {
        if (element == Element::Link) {
            const std::string address = linkAddress(href);
            if (isAllowedPageAddress(address)) {
                out_ += "<a href=\"";
                for (char c : address)
                    character(c);
                out_ += "\">";
            } else {
                out_ += "<a>";
            }
            return;
        }
        if (element == Element::Heading) {
            out_ += "<h";
            out_ += name[1];
            out_ += '>';
            return;
        }
        if (const char* tag = tagName(element)) {
            out_ += '<';
            out_ += tag;
            out_ += '>';
        }
    }

    void endTag(Element element, std::string_view name) {
        if (element == Element::LineBreak) {
            out_ += "<br>"; // as "</br>" is read
            return;
        }
        if (element == Element::Heading) {
            out_ += "</h";
            out_ += name[1];
            out_ += '>';
            return;
        }
        if (const char* tag = tagName(element)) {
            out_ += "</";
            out_ += tag;
            out_ += '>';
        }
    }

    std::string finish() { return std::move(out_); }

  private:
    static const char* tagName(Element element) {
        switch (element) {
        case Element::Bold: return "b";
        case Element::Italic: return "i";
        case Element::Underline: return "u";
        case Element::Link: return "a";
        case Element::LineBreak: return "br";
        case Element::Paragraph: return "p";
        case Element::Block: return "div";
        case Element::List: return "ul";
        case Element::OrderedList: return "ol";
        case Element::ListItem: return "li";
        case Element::Heading:
        case Element::Other:
        case Element::RawText: return nullptr;
        }
        return nullptr;
    }

    std::string out_;
};

} // namespace

RichText htmlToRichText(std::string_view in) {
    Builder out;
    readSubset(in, out);
    return out.finish();
}

std::string flatSubsetHtml(std::string_view in) {
    FlatWriter out;
    readSubset(in, out);
    return out.finish();
}

namespace {

// other: the next of the text's characters outside the code page.
void appendRtfText(std::string& rtf, std::string_view text, const std::u16string& others,
                   size_t& other) {
    static const char kHex[] = "0123456789abcdef";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == kRichOtherCharacter) {
            // A UTF-16 unit as a signed number, with '?' for readers that cannot show it.
            const char16_t unit = other < others.size() ? others[other++] : u'?';
            rtf += "\\u" + std::to_string(static_cast<int16_t>(unit)) + '?';
        } else if (c == '\\' || c == '{' || c == '}') {
            rtf += '\\';
            rtf += c;
        } else if (c == '\t') {
            rtf += "\\tab ";
        } else if (byte >= 0x80) {
            rtf += "\\'";
            rtf += kHex[byte >> 4];
            rtf += kHex[byte & 0xF];
        } else if (byte >= 0x20) {
            rtf += c;
        }
    }
}

// Half-points of h1 to h6 (the text itself is 24, 12 points).
constexpr std::array<int, 7> kHeadingSize = {24, 48, 36, 28, 24, 20, 16};
constexpr int kListIndentTwips = 480;
constexpr int kListMarkTwips = 300;
constexpr int kGapTwips = 240;

} // namespace

std::string richTextToRtf(const RichText& text, std::string_view fontFace, int dpi, int screenDpi,
                          const RtfColours& colours) {
    if (dpi <= 0 || screenDpi <= 0) dpi = screenDpi = 1;
    // Rounded to the nearest, as the system's MulDiv rounds.
    const auto size = [&](int value) {
        return std::to_string((int64_t{value} * dpi * 2 + screenDpi) / (int64_t{2} * screenDpi));
    };
    std::string face;
    for (char c : fontFace)
        if (c != ';' && c != '{' && c != '}' && c != '\\' && static_cast<unsigned char>(c) >= 0x20)
            face += c;
    const auto colour = [](uint32_t c) {
        return "\\red" + std::to_string(c & 0xFF) + "\\green" + std::to_string(c >> 8 & 0xFF) +
               "\\blue" + std::to_string(c >> 16 & 0xFF) + ";";
    };
    std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 " +
                      face + ";}}{\\colortbl;" + colour(colours.link) + colour(colours.text) +
                      "}\\f0\\fs" + size(24) + "\n";
    size_t run = 0;
    size_t other = 0;
    for (size_t p = 0; p < text.paragraphs.size(); ++p) {
        const RichParagraph& para = text.paragraphs[p];
        const uint32_t end = p + 1 < text.paragraphs.size()
                                 ? text.paragraphs[p + 1].start - 1
                                 : static_cast<uint32_t>(text.text.size());
        rtf += "\\pard";
        if (para.indent > 0) {
            const int indent = para.indent * kListIndentTwips;
            rtf += "\\li" + size(indent);
            if (para.listItem) rtf += "\\fi-" + size(kListMarkTwips) + "\\tx" + size(indent);
        }
        if (para.gapBefore) rtf += "\\sb" + size(kGapTwips);
        rtf += ' ';
        for (; run < text.runs.size() && text.runs[run].start < end; ++run) {
            const RichRun& r = text.runs[run];
            // Each run states its whole format: the control may carry a format over from
            // one paragraph into the next.
            std::string controls = "\\plain\\f0\\fs";
            controls += size(kHeadingSize[std::min<size_t>(r.heading, 6)]);
            if ((r.style & kRichBold) || r.heading) controls += "\\b";
            if (r.style & kRichItalic) controls += "\\i";
            if ((r.style & kRichUnderline) || r.link >= 0) controls += "\\ul";
            controls += r.link >= 0 ? "\\cf1" : "\\cf2";
            rtf += '{' + controls + ' ';
            appendRtfText(rtf, std::string_view(text.text).substr(r.start, r.length), text.others,
                          other);
            rtf += '}';
        }
        // Also after the last one, whose format the control would otherwise not take.
        rtf += "\\par\n";
    }
    rtf += "}";
    return rtf;
}

std::string firstFontFamily(std::string_view families) {
    std::string_view first = families.substr(0, families.find(','));
    auto blankOrQuote = [](char c) { return isHtmlSpace(c) || c == '"' || c == '\''; };
    while (!first.empty() && blankOrQuote(first.front()))
        first.remove_prefix(1);
    while (!first.empty() && blankOrQuote(first.back()))
        first.remove_suffix(1);
    return std::string(first);
}

int cssPixels(std::string_view length, int fallback) {
    int value = 0;
    size_t i = 0;
    for (; i < length.size() && isAsciiDigit(length[i]) && value < 10000; ++i)
        value = value * 10 + (length[i] - '0');
    if (i == 0 || (length.substr(i) != "px" && i != length.size())) return fallback;
    return value;
}

} // namespace qlx

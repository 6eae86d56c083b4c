// A news message's HTML reduced to what the built-in message view can show safely:
// paragraphs, line breaks, headings, bold, italic and underlined text, lists and web links,
// with character references decoded. Scripts and styles go with their content; every other
// element goes and its text stays. Nothing in the result can load or run anything, and the
// work is linear in the input whatever its nesting.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qlx {

enum RichStyle : uint8_t {
    kRichBold = 1,
    kRichItalic = 2,
    kRichUnderline = 4,
};

// A stretch of one paragraph's text in one format.
struct RichRun {
    uint32_t start = 0; // into RichText::text
    uint32_t length = 0;
    uint8_t style = 0;   // RichStyle bits
    uint8_t heading = 0; // 1 to 6 inside h1 to h6, else 0
    int32_t link = -1;   // index into RichText::links, or -1
    bool operator==(const RichRun&) const = default;
};

struct RichParagraph {
    uint32_t start = 0;     // into RichText::text
    uint8_t indent = 0;     // list nesting
    bool listItem = false;  // begins with its bullet or number and a tab
    bool gapBefore = false; // a paragraph's margin above it
    bool operator==(const RichParagraph&) const = default;
};

// Stands in RichText::text for one UTF-16 unit of a character that Windows-1252 lacks.
inline constexpr char kRichOtherCharacter = '\x1A';

struct RichText {
    // Windows-1252; '\n' ends a paragraph and belongs to no run, '\t' follows a list mark.
    // One byte is one character of the rich-text control, so positions are the control's.
    std::string text;
    // The UTF-16 units of the characters the code page lacks, one for each
    // kRichOtherCharacter in the text, in order (two for a character beyond U+FFFF).
    std::u16string others;
    std::vector<RichParagraph> paragraphs; // at least one, in order
    std::vector<RichRun> runs;             // in order, none crossing a paragraph's end
    // The links' addresses: only those the program hands to the browser (web pages).
    std::vector<std::string> links;
    bool operator==(const RichText&) const = default;
};

RichText htmlToRichText(std::string_view html);

// The subset as HTML of the program's own, for the system's browser control: only b, i, u,
// a, br, p, div, h1 to h6, ul, ol and li, without attributes but a link's href (only an
// address the program would open, escaped), text escaped. Nothing of the message's own
// markup survives, and htmlToRichText reads the result to what it read from html.
std::string flatSubsetHtml(std::string_view html);

// The colours of a message's text and links, 0x00BBGGRR: named for every run, so that the
// control's own text colour (the system's) never meets the background the view is given.
struct RtfColours {
    uint32_t text = 0x000000;
    uint32_t link = 0xFF0000;
};

// The text as rich text format for the system's rich-text control, in the given font face
// at 12 points: headings larger and bold, links underlined, list items indented.
// The control turns points into pixels at the screen's DPI (screenDpi); on a monitor of
// another DPI (dpi) every size and indent is scaled by dpi / screenDpi, so that the text has
// that monitor's size.
std::string richTextToRtf(const RichText& text, std::string_view fontFace, int dpi = 96,
                          int screenDpi = 96, const RtfColours& colours = {});

// What the built-in view takes from a body style: the first face of a CSS font-family list
// (without quotes), and a CSS length in pixels (fallback when it is not a plain one).
std::string firstFontFamily(std::string_view families);
int cssPixels(std::string_view length, int fallback);

} // namespace qlx

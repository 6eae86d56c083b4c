// libFuzzer target over the message views' HTML subset, its rich text and its flat HTML: no
// crash, output that holds together (runs inside their paragraphs, links that are web
// addresses), bounded by the input, rich text whose groups always close, and flat HTML that
// reads back to the same subset and holds no tag or attribute of its own.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "lookup/PageAddressCheck.h"
#include "messages/HtmlSubset.h"

namespace {
void check(bool ok) {
    if (!ok) __builtin_trap();
}

// Every tag of the flat HTML is one of the subset's, bare, or a link with one quoted href
// that passes the address check; no raw quote, "<" or ">" stands outside a tag.
void checkFlat(std::string_view flat) {
    static constexpr std::string_view kBareTags[] = {
        "b", "i", "u", "a", "br", "p", "div", "ul", "ol", "li", "h1", "h2", "h3", "h4", "h5", "h6"};
    size_t pos = 0;
    while (pos < flat.size()) {
        const size_t open = flat.find_first_of("<>\"", pos);
        if (open == std::string_view::npos) return;
        check(flat[open] == '<');
        const size_t close = flat.find('>', open);
        check(close != std::string_view::npos);
        std::string_view tag = flat.substr(open + 1, close - open - 1);
        if (tag.starts_with("a href=\"")) {
            check(tag.size() > 9 && tag.back() == '"');
            std::string address(tag.substr(8, tag.size() - 9));
            check(address.find_first_of("\"<>") == std::string::npos);
            // Only "&amp;" is escaped in an address that passed the check.
            for (size_t at; (at = address.find("&amp;")) != std::string::npos;)
                address.replace(at, 5, "&");
            check(qlx::isAllowedPageAddress(address));
        } else {
            if (tag.starts_with("/")) tag.remove_prefix(1);
            bool known = false;
            for (std::string_view bare : kBareTags)
                known = known || tag == bare;
            check(known);
        }
        pos = close + 1;
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view html(reinterpret_cast<const char*>(data), size);
    const qlx::RichText r = qlx::htmlToRichText(html);

    check(r.text.size() <= 3 * size + 16);
    check(!r.paragraphs.empty() && r.paragraphs[0].start == 0);
    for (size_t p = 1; p < r.paragraphs.size(); ++p) {
        const uint32_t start = r.paragraphs[p].start;
        check(start > r.paragraphs[p - 1].start && start <= r.text.size());
        check(r.text[start - 1] == '\n');
    }
    uint32_t end = 0;
    for (const qlx::RichRun& run : r.runs) {
        check(run.length > 0 && run.start >= end && run.start + run.length <= r.text.size());
        end = run.start + run.length;
        check(std::string_view(r.text).substr(run.start, run.length).find('\n') ==
              std::string_view::npos);
        check(run.link < static_cast<int32_t>(r.links.size()) && run.heading <= 6);
    }
    for (const std::string& link : r.links) check(qlx::isAllowedPageAddress(link));
    // One UTF-16 unit for each stand-in of a character the code page lacks.
    check(static_cast<size_t>(std::count(r.text.begin(), r.text.end(), qlx::kRichOtherCharacter)) ==
          r.others.size());

    const std::string flat = qlx::flatSubsetHtml(html);
    // At most nine characters a byte: a letter of a link's address becomes the escapes of its
    // UTF-8 bytes ("\x82" is "%E2%80%9A"); a quote in the text "&quot;".
    check(flat.size() <= 9 * size + 16);
    check(qlx::htmlToRichText(flat) == r);
    checkFlat(flat);

    const std::string rtf = qlx::richTextToRtf(r, "Arial");
    int depth = 0;
    for (size_t i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') {
            ++i; // an escaped character or the first letter of a control word
            continue;
        }
        if (rtf[i] == '{') ++depth;
        if (rtf[i] == '}') check(--depth >= 0);
    }
    check(depth == 0);
    return 0;
}

// libFuzzer target over the built-in message view's HTML subset and its rich text: no crash,
// output that holds together (runs inside their paragraphs, links that are web addresses),
// bounded by the input, and rich text whose groups always close.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "lookup/PageAddressCheck.h"
#include "messages/HtmlSubset.h"

namespace {
void check(bool ok) {
    if (!ok) __builtin_trap();
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

// libFuzzer target over the page-address check, the dictionary-domain rule for templates and
// the lookup fragment: no crash, and what the checks let through is what the shell may see:
// printable ASCII without blanks or the characters that end a quoted command line, a known
// scheme, a plain host, at most 2048 characters. Any text looked up on an accepted template
// gives an accepted address, and one looked up on a dictionary template stays on its host.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "Text.h"
#include "lookup/LookupAddress.h"
#include "lookup/PageAddressCheck.h"
#include "lookup/TemplateCheck.h"

namespace {
void check(bool ok) {
    if (!ok) __builtin_trap();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // The first line is an address (or template), the rest a search text.
    const size_t split = input.find('\n');
    const std::string_view address = input.substr(0, split);
    const std::string_view text =
        split == std::string_view::npos ? std::string_view() : input.substr(split + 1);

    // A plain page, or "gcf:" in front of one (the program's own pages in Chrome Frame mode);
    // never both, and the host is there exactly when one of them is.
    const bool plain = qlx::isAllowedPageAddress(address);
    const bool chromeFrame = qlx::isAllowedChromeFrameAddress(address);
    const bool allowed = plain || chromeFrame;
    const auto host = qlx::pageAddressHost(address);
    check(!(plain && chromeFrame));
    check(allowed == host.has_value());
    check(!chromeFrame || qlx::isAllowedPageAddress(address.substr(4)));
    if (allowed) {
        check(address.size() <= qlx::kMaxPageAddressLength);
        for (char c : address) {
            const auto byte = static_cast<unsigned char>(c);
            check(byte > 0x20 && byte < 0x7F);
            check(std::string_view("\"<>\\^`{|}").find(c) == std::string_view::npos);
        }
        std::string_view rest = address;
        if (qlx::equalsNoCase(rest.substr(0, 4), "gcf:")) rest.remove_prefix(4);
        check(qlx::equalsNoCase(rest.substr(0, 7), "http://") ||
              qlx::equalsNoCase(rest.substr(0, 8), "https://"));
        check(!host->empty() && host->find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789.-") ==
                                    std::string::npos);
        check(rest.find('@') == std::string_view::npos ||
              rest.find('@') > rest.find_first_of("/?#", rest.find("//") + 2));
    }
    if (qlx::isDictionaryTemplate(address)) {
        check(allowed);
        check(*host == "lemmary.dk" || host->ends_with(".lemmary.dk"));
    }

    const std::string fragment = qlx::lookupFragment(text);
    for (char c : fragment)
        check(static_cast<unsigned char>(c) > 0x20 && static_cast<unsigned char>(c) < 0x7F &&
              std::string_view("\"<>\\^`{|}#&+ ").find(c) == std::string_view::npos);
    if (allowed && address.size() + fragment.size() <= qlx::kMaxPageAddressLength &&
        (address.back() == '/' || address.back() == '#'))
        check(plain ? qlx::isAllowedPageAddress(std::string(address) + fragment)
                    : qlx::isAllowedChromeFrameAddress(std::string(address) + fragment));
    // Whatever is looked up on a template of the dictionary stays on the template's host.
    if (qlx::isDictionaryTemplate(address) &&
        address.size() + fragment.size() <= qlx::kMaxPageAddressLength)
        check(qlx::pageAddressHost(std::string(address) + fragment) == host);
    return 0;
}

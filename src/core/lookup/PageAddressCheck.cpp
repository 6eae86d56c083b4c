// The web-address check before anything is handed to the shell.
#include "lookup/PageAddressCheck.h"

#include "Text.h"

namespace qlx {

namespace {
bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && equalsNoCase(text.substr(0, prefix.size()), prefix);
}
} // namespace

bool isAllowedPageAddress(std::string_view address) {
    if (startsWithNoCase(address, "gcf:")) address.remove_prefix(4);
    return startsWithNoCase(address, "http:") || startsWithNoCase(address, "https:");
}

} // namespace qlx

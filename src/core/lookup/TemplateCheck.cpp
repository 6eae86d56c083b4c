// The dictionary-domain rule for page templates.
#include "lookup/TemplateCheck.h"

#include <string>

#include "lookup/PageAddressCheck.h"

namespace qlx {

bool isDictionaryTemplate(std::string_view pageTemplate) {
    // The search text is appended to a template: one that ends at its host would let the text
    // carry on the host name ("http://www.lemmary.dk" + ".evil.com").
    if (!pageAddressHostClosed(pageTemplate)) return false;
    const std::optional<std::string> host = pageAddressHost(pageTemplate);
    if (!host) return false;
    const std::string_view domain = kDictionaryDomain;
    if (*host == domain) return true;
    // A name under the domain: "x.lemmary.dk", never "xlemmary.dk" or "lemmary.dk.evil".
    return host->size() > domain.size() + 1 && host->ends_with(domain) &&
           (*host)[host->size() - domain.size() - 1] == '.';
}

} // namespace qlx

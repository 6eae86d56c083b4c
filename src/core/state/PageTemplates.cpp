// The page templates' defaults.
#include "state/PageTemplates.h"

namespace qlx {

PageTemplates PageTemplates::defaults() {
    const std::string host = kDictionaryHost;
    return PageTemplates{
        "http://" + host + "/#ordbog/",
        "gcf:http://" + host + "/ordbog/",
        "http://" + host + "/#anvendelse/quiklex/",
        "gcf:http://" + host + "/anvendelse/quiklex/",
    };
}

} // namespace qlx

// The four page addresses the main window opens, with their defaults on the dictionary's
// web server, and the choice between the normal and the Chrome Frame pair.
#pragma once

#include <string>

namespace qlx {

// The dictionary's web server; the definitions document is fetched from it as well.
inline constexpr const char* kDictionaryHost = "www.lemmary.dk";

struct PageTemplates {
    std::string LookupModern;
    std::string LookupGCF;
    std::string ProgramPageModern;
    std::string ProgramPageGCF;

    static PageTemplates defaults();

    const std::string& lookup(bool useChromeFrame) const {
        return useChromeFrame ? LookupGCF : LookupModern;
    }
    const std::string& programPage(bool useChromeFrame) const {
        return useChromeFrame ? ProgramPageGCF : ProgramPageModern;
    }
};

} // namespace qlx
